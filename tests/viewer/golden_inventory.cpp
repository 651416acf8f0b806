#include "viewer/golden_inventory.h"

#include "core/text.h"

namespace rb::test {

namespace {

void FillMachine(TMSystemInfo& info) {
    TMachine& m = *info.Machine;
    m.Name = "OFICINA-PEÑA";
    m.User = "José Núñez";
    m.SystemUpTime = "93784.6";  // 1 day, 2 h, 3 min, 5 s
    m.LastBoot = "39448.5";      // 1 January 2008, 12:00
    m.BIOSCopyright = "Copyright (C) 2003 Compañía BIOS";
    m.BIOSDate = "04/15/03";
    m.BIOSExtendedInfo = "";
    m.BIOSName = "Award Modular BIOS v6.00PG";
    m.NumLock = true;
    m.Computer = "PC con ACPI";
}

void FillOS(TMSystemInfo& info) {
    TOperatingSystem& os = *info.OS;
    os.Is_NT = os.Is_2K = os.Is_XP = true;
    os.OS_Version = "Windows XP";
    os.MajorVersion = 5;
    os.MinorVersion = 1;
    os.BuildNumber = 2600;
    os.Platform = "Windows NT";
    os.SOName = "Windows XP Professional";
    os.Version = "Microsoft Windows XP";
    os.CSD = "Service Pack 2";
    os.ProductID = "55274-640-1234567-23456";
    os.ProductKey = "BCDFG-HJKMP-QRTVW-XY234-6789B";
    os.RegisteredUser = "José Núñez";
    os.RegisteredOrg = "Distribuciones Peña, S.A.";
    os.DVDRegion = "2";
    os.rDecimalSeparator = ',';
    os.rThousandSeparator = '.';
    os.rDateSeparator = '/';
    os.rHourSeparator = ':';
    os.rTimeAmString = "a.m.";
    os.rTimePmString = "p.m.";
    os.Folders->Add("Desktop=C:\\Documents and Settings\\José\\Escritorio");
    os.Folders->Add("Fonts=");
    os.Folders->Add("Personal=C:\\Documents and Settings\\José\\Mis documentos");
    os.Environment->Add("PATH=C:\\WINDOWS\\system32;C:\\WINDOWS");
    os.Environment->Add("TEMP=C:\\DOCUME~1\\José\\CONFIG~1\\Temp");
    os.NTSpecific->ProductType = TNtProductType::ptWorkStation;
    os.NTSpecific->InstalledSuites = {TNTSuite::suTerminal, TNTSuite::suSmallBusiness};
    os.NTSpecific->ServicePackMajorVersion = 2;
    TTimeZone& z = *os.TimeZone;
    z.DisplayName = "(GMT+01:00) Bruselas, Copenhague, Madrid, París";
    z.StandardName = "Hora estándar romance";
    z.DaylightName = "Hora de verano romance";
    z.StandardStart = "39747.125";
    z.DaylightStart = "39537.083333333333";
    z.Bias = -60;
    z.StandardBias = -60;
    z.DaylightBias = -120;
}

void FillProcessorAndMemory(TMSystemInfo& info) {
    TCPU& cpu = *info.CPU;
    cpu.Count = 1;
    cpu.VendorEx = "Intel Corporation";
    cpu.VendorID = "Pentium 4";
    cpu.Frequency = 2800;
    cpu.Family = 15;
    cpu.Model = 2;
    cpu.Stepping = 9;
    cpu.Features->FPU = cpu.Features->TSC = cpu.Features->MMX = cpu.Features->SIMD = true;
    cpu.Features->CMOV = cpu.Features->PAE = true;
    cpu.Cache->L1Data = 8;
    cpu.Cache->Level2 = 512;
    cpu.CodeName = "Northwood";
    cpu.Transistors = 55000000;

    TMemory& mem = *info.Memory;
    mem.PhysicalTotal = 536330240;
    mem.PhysicalFree = 0;
    mem.VirtualTotal = 2147352576;
    mem.VirtualFree = 2113994752;
    mem.PageFileTotal = 1313722368;
    mem.PageFileFree = 1029840896;
    mem.MemoryLoad = 57;
    mem.AllocGranularity = 65536;
    mem.MaxAppAddress = 0x7FFEFFFF;
    mem.MinAppAddress = 0x10000;
    mem.PageSize = 4096;
}

void FillHardware(TMSystemInfo& info) {
    TDisplay& d = info.Displays->AddItem<TDisplay>();
    d.Adapter = "NVIDIA GeForce4 MX 440";
    d.DAC = "Integrated RAMDAC";
    d.Chipset = "GeForce4 MX 440";
    d.Memory = 67108864;
    d.HorzRes = 1024;
    d.VertRes = 768;
    d.ColorDepth = 32;
    d.BIOSVersion = "Version 4.17.00.45.00";
    d.BIOSDate = "10/02/02";
    d.Technology = "Pantalla de trama";
    d.PixelWidth = d.PixelHeight = 36;
    d.PixelDiagonal = 51;
    d.FontResolution = 96;
    d.Modes->Add("640 x 480 - 32 bit");
    d.Modes->Add("1024 x 768 - 32 bit");
    d.CurveCaps = CurveCapsFrom(0x1FF);
    d.LineCaps = LineCapsFrom(0x2 | 0x8);
    d.PolygonCaps = PolygonCapsFrom(0xFF);
    d.RasterCaps = RasterCapsFrom(0x1 | 0x8);
    d.TextCaps = TextCapsFrom(0x1 | 0x400);

    TAPM& apm = *info.APM;
    apm.ACPowerStatus = TPowerStatus::psOnline;
    apm.BatteryChargeStatus = TBatteryStatus::bsCharging;
    apm.BatteryLifePercent = 80;
    apm.BatteryLifeTime = 5400;
    apm.BatteryLifeFullTime = 7200;

    TMedia& media = *info.Media;
    media.AvailableDevices->Add("Puerto de juegos estándar");
    media.AvailableDevices->Add("Sound Blaster Live! (Español)");
    media.AvailableDevices->Add("Códec de audio Microsoft");
    media.GamePortIndex = 0;
    media.SoundCardIndex = 1;
    auto& wave = media.AddItem<TMediaItem>();
    wave.ProductName = "SB Live! Wave Out";
    wave.DriverVersion = 0x0502;
    auto& midi = media.AddItem<TMediaItem>();
    midi.ProductName = "Sintetizador MIDI";
    midi.DriverVersion = 0x0100;

    TNetwork& net = *info.Network;
    net.Adapters->Add("Conexión de red Intel(R) PRO/100");
    net.Adapters->Add("Adaptador de red de acceso telefónico");
    net.CardAdapterIndex = 0;
    net.IPAddresses->Add("192.168.1.33");
    net.MACAddresses->Add("00-0C-29-3A-5B-7C");
    net.Protocols->Add("Protocolo Internet (TCP/IP)");
    net.Services->Add("Compartir impresoras y archivos");
    net.Clients->Add("Cliente para redes Microsoft");
    net.WinSock->Description = "WinSock 2.0";
    net.WinSock->MajorVersion = 2;
    net.WinSock->MinorVersion = 2;
    net.WinSock->Status = "Running";
}

void AddDevice(TDevices& devices, TDeviceClass cls, const char* className, const char* category,
               const char* name) {
    TDevice& d = devices.AddItem<TDevice>();
    d.DeviceClass = cls;
    d.DeviceClassName = className;
    d.ClassDesc = d.Category = category;
    d.FriendlyName = name;
    d.GUID = "{4D36E968-E325-11CE-BFC1-08002BE10318}";
    d.Manufacturer = "Compañía Estándar";
    d.Location = "Bus PCI 1, dispositivo 0, función 0";
    d.HardwareID = "PCI\\VEN_10DE&DEV_0171";
    d.DriverDate = "2-6-2003";
    d.DriverVersion = "6.14.10.4403";
    d.DriverProvider = "NVIDIA";
    d.Service = "nv4";
    d.ServiceGroup = "Video";
}

void FillDevicesAndDisks(TMSystemInfo& info) {
    TDevices& dev = *info.Devices;
    dev.Machine = "OFICINA-PEÑA";
    AddDevice(dev, TDeviceClass::dcDisplay, "Display", "Adaptadores de pantalla",
              "NVIDIA GeForce4 MX 440");
    AddDevice(dev, TDeviceClass::dcNet, "Net", "Adaptadores de red", "Conexión de red Intel(R) PRO/100");
    AddDevice(dev, TDeviceClass::dcNet, "Net", "Adaptadores de red", "Adaptador de minipuerto WAN");
    AddDevice(dev, TDeviceClass::dcCDROM, "CDROM", "Unidades de DVD o CD-ROM", "Grabadora ÑU DVD");

    TDisk& c = info.Disks->AddItem<TDisk>();
    c.SetDriveLetter("C:");
    c.FileFlags = {TFileFlag::fsCaseIsPreserved, TFileFlag::fsUnicodeStoredOnDisk,
                   TFileFlag::fsLongFileNames};
    c.MediaType = TMediaType::dtFixed;
    c.UNCExpand = "C:\\";
    c.MediaPresent = true;
    c.FileSystem = "NTFS";
    c.FreeClusters = 2500000;
    c.TotalClusters = 10000000;
    c.FreeSpace = 10240000000;
    c.Capacity = 40960000000;
    c.SerialNumber = "1A2B-3C4D";
    c.VolumeLabel = "Sistema ñ";
    c.SectorsPerCluster = 8;
    c.BytesPerSector = 512;
    TDisk& e = info.Disks->AddItem<TDisk>();
    e.SetDriveLetter("E:");
    e.MediaType = TMediaType::dtCDROM;
    e.UNCExpand = "E:\\";

    auto& p = info.Printers->AddItem<TPrinterDeviceComplete>();
    p.PrinterName = "HP LaserJet 1200 (Contabilidad)";
    p.PortName = "LPT1:";
    p.DriverName = "HP LaserJet 1200 Series PCL";
    p.Comment = "Impresora de la oficina";
    p.Location = "Planta baja";
    p.PrintProcessor = "WinPrint";
    p.Datatype = "RAW";
    p.Attributes = 0x48;
    p.Priority = 1;
    p.StartTime = "0";
    p.UntilTime = "0";
    p.Status = 64;
    auto& q = info.Printers->AddItem<TPrinterDeviceComplete>();
    q.ServerName = "\\\\SERVIDOR";
    q.PrinterName = "Epson Stylus Color";
    q.PortName = "\\\\SERVIDOR\\Epson";
    q.StartTime = "0";
    q.UntilTime = "0";
    info.Printers->DefaultIndex = 0;
}

void FillSoftware(TMSystemInfo& info) {
    info.Engines->ODBC = "3.525.1117.0";
    info.Engines->DAO = "3.60";
    info.Engines->ADO = "2.81";
    info.DirectX->Version = "4.09.00.0904";
    info.DirectX->Direct3D->Add("Controlador de aceleración de hardware Direct3D");
    info.DirectX->DirectMusic->Add("Sintetizador de software Microsoft");
    info.DirectX->DirectPlay->Add("Conexión módem para DirectPlay");

    const char* const paths[] = {"[System Process]", "C:\\WINDOWS\\system32\\smss.exe",
                                 "C:\\WINDOWS\\Explorer.EXE",
                                 "C:\\Archivos de programa\\Contabilidad Peña\\conta.exe"};
    for (int i = 0; i < 4; ++i) {
        auto& pr = info.Processes->AddItem<TProcess>();
        pr.Pid = i == 0 ? 0 : 300 + i * 1000;
        pr.Location = paths[i];
    }
    struct Entry {
        const char* name;
        const char* line;
        TRunType where;
    };
    const Entry entries[] = {
        {"Agenda", "C:\\Archivos de programa\\Agenda\\agenda.exe", TRunType::rtUser},
        {"SoundMAX", "\"C:\\Archivos de programa\\Analog Devices\\smax4.exe\" /tray",
         TRunType::rtHKLM},
        {"ctfmon.exe", "C:\\WINDOWS\\system32\\ctfmon.exe", TRunType::rtHKCU},
        {"run", "C:\\Util\\informe.exe", TRunType::rtWinINI}};
    for (const Entry& en : entries) {
        auto& it = info.Startup->AddItem<TStartupItem>();
        it.ProcessName = en.name;
        it.ProcessLine = en.line;
        it.Location = en.where;
    }
    info.Software->Installed->Add("Contabilidad Peña 2.1");
    info.Software->Installed->Add("Microsoft Office XP Profesional con FrontPage");

    auto& s = info.Services->AddItem<TServiceItem>();
    s.Status = TCurrentStatus::csRunning;
    s.StartType = TStartType::stAuto;
    s.ErrorControl = TErrorSeverity::esNormal;
    s.ServiceName = "Spooler";
    s.DisplayName = "Cola de impresión";
    s.BinaryPathName = "C:\\WINDOWS\\system32\\spoolsv.exe";
    s.Dependencies->Add("RPCSS");
    s.Dependencies->Add("http");
    s.ServiceStartName = "LocalSystem";
    auto& t = info.Services->AddItem<TServiceItem>();
    t.Status = TCurrentStatus::csStopped;
    t.StartType = TStartType::stManual;
    t.ServiceName = "Telefonía";
    t.DisplayName = "Servicio de telefonía";
    t.ServiceStartName = "NT AUTHORITY\\LocalService";

    const char* const steps[] = {"CPU", "Sistema Operativo", "Memoria", "Computadora"};
    for (int i = 0; i < 4; ++i) info.PerformanceInfo->Add(steps[i], 10u * (i + 1));
    info.ErrorList->Add("TPrinters.GetInfo: El servidor de impresión no está disponible");
}

}  // namespace

void FillGoldenInventory(TMSystemInfo& info) {
    FillMachine(info);
    FillOS(info);
    FillProcessorAndMemory(info);
    FillHardware(info);
    FillDevicesAndDisks(info);
    FillSoftware(info);
}

std::string GoldenXmlPath() { return std::string(RB_TEST_DATA) + "/viewer/inventario.xml"; }
std::string GoldenPackagePath() { return std::string(RB_TEST_DATA) + "/viewer/inventario.fzp"; }

}  // namespace rb::test
