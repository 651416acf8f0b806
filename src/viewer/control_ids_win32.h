// The identifiers of the viewer's controls, one block a page in tab order; unique in the viewer,
// so that a control is found by its identifier alone (the tests find them so too).
#pragma once

#include <windows.h>

namespace rb::viewer {

enum ViewerControl : int {
    // The bottom bar and the page tabs.
    btnReport = 2200, btnReprocess, btnClose = IDOK, tabPages = 2203,
    // Machine.
    edtMachineName = 2210, edtUser, edtBIOSName, edtBIOSCopyright, edtBIOSDate, edtBIOSExtended,
    edtLastBoot, edtUpTime, pnlNumLock, pnlCapsLock, pnlScrollLock,
    // Operating system.
    lblOSVersion = 2230, lblOSNumbers, lblServicePack, edtProductID, edtRegUser, edtRegOrg,
    edtProductKey, lblDVD, btnPackages, tabOSLists, lvFolders, lvEnvironment, lvRegional,
    // Processor.
    lblCPUHeading = 2250, tabCPU, lblCPUModel, lblCPUSerial, lblCPUVendor, lblCPUTransistors,
    lblCPUCodeName, lblCacheL1Data, lblCacheL1Code, lblCacheLevel1, lblCacheLevel2, lvFeatures,
    // Memory.
    edtPhysTotal = 2270, edtPhysFree, edtPageTotal, edtPageFree, edtVirtTotal, edtVirtFree,
    pbMemoryLoad, edtGranularity, edtAppRange, edtPageSize,
    // Displays.
    cbDisplays = 2290, edtChipset, edtDAC, edtDisplayMemory, lblDisplayBIOS, lblTechnology,
    lblMetrics, lblPixelWidth, lblPixelHeight, lblPixelDiagonal, lblFontResolution,
    btnModes, btnCurve, btnLine, btnPolygon, btnRaster, btnText,
    // Power.
    edtACLine = 2320, edtCharge, edtFullTime, edtLifeTime, pbBattery,
    // Media.
    lvAvailableDevices = 2330, lvSoundDevices, btnMediaProperties,
    // Network.
    lvAdapters = 2340, lvIPAddresses, lvMACAddresses, edtWinsockDescription, edtWinsockVersion,
    edtWinsockStatus, btnProtocols, btnServices, btnClients,
    // Devices.
    tvDevices = 2360, btnDeviceProperties,
    // Printers.
    lvPrinters = 2370, btnPrinterProperties,
    // Engines and DirectX.
    lblODBC = 2380, lblBDE, lblDAO, lblADO, lblDirectX, lvDirectX,
    // Disks.
    cbDisks = 2390, icoDisk, lblDiskKind, edtUNC, edtSerial, lblCapacity, lblFreeSpace, pbDiskUsed,
    lblBytesPerSector, lblSectorsPerCluster, lblFreeClusters, lblTotalClusters, lvDiskFlags,
    // Time zone.
    edtZoneName = 2410, grpStandard, edtStandardStart, edtStandardBias, grpDaylight,
    edtDaylightStart, edtDaylightBias, boxWorldMap, imgWorldMap,
    // Processes.
    lvProcesses = 2430, lblProcessCount, btnKillProcess, btnProcessProperties,
    // Start-up.
    tabStartup = 2440, lvStartup, btnStartupInfo,
    // Software, problems, services, performance.
    lvSoftware = 2450, lvProblems = 2460, lvServices = 2470, btnServiceProperties,
    lvPerformance = 2480,
};

}  // namespace rb::viewer
