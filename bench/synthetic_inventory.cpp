#include "synthetic_inventory.h"

#include "core/text.h"

namespace rb::bench {
namespace {

void AddDevices(TDevices& devices, int count) {
    for (int i = 0; i < count; ++i) {
        auto& d = devices.AddItem<TDevice>();
        d.DeviceClassName = "System";
        d.ClassDesc = "Dispositivos del sistema";
        d.ClassIcon = "-27";
        d.FriendlyName = Format("Controlador de E/S número %d", i);
        d.Description = Format("Puente PCI a ISA estándar <%d>", i);
        d.GUID = "{4D36E97D-E325-11CE-BFC1-08002BE10318}";
        d.Manufacturer = "(Dispositivos de sistema estándar) & Cía.";
        d.Location = Format("Bus PCI 0, dispositivo %d, función 0", i % 32);
        d.HardwareID = Format("PCI\\VEN_8086&DEV_%04X&SUBSYS_00000000&REV_01", i);
        d.DriverDate = "7-1-2001";
        d.DriverVersion = Format("5.1.2600.%d", i);
        d.DriverProvider = "Microsoft";
        d.Service = "isapnp";
        d.ServiceGroup = "Boot Bus Extender";
        d.ServiceType = 1;
        d.RegKey = Format("SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_8086\\%d", i);
        d.DeviceClass = TDeviceClass::dcSystem;
        d.Category = d.ClassDesc;
    }
}

void AddServices(TServicesCollection& services, int count) {
    for (int i = 0; i < count; ++i) {
        auto& s = services.AddItem<TServiceItem>();
        s.Status = TCurrentStatus::csRunning;
        s.StartType = TStartType::stAuto;
        s.ErrorControl = TErrorSeverity::esNormal;
        s.ServiceType = {TServiceType::WIN32_SHARE_PROCESS};
        s.LoadOrder = "NetworkProvider";
        s.ServiceName = Format("Servicio%d", i);
        s.DisplayName = Format("Servicio de ejemplo número %d", i);
        s.BinaryPathName = Format("C:\\WINDOWS\\system32\\svchost.exe -k grupo%d", i % 7);
        s.TagId = i;
        for (int k = 0; k < 3; ++k) s.Dependencies->Add(Format("Dependencia%d", k));
        s.ServiceStartName = "LocalSystem";
        s.ControlsAccepted = {TControlAccepted::ACCEPT_STOP, TControlAccepted::ACCEPT_SHUTDOWN};
        s.WaitHint = 2000;
    }
}

}  // namespace

void BuildSyntheticInventory(TMSystemInfo& info, const Size& size) {
    AddDevices(*info.Devices, size.devices);
    for (int i = 0; i < size.processes; ++i) {
        auto& p = info.Processes->AddItem<TProcess>();
        p.Pid = 1000 + i;
        p.Location = Format("C:\\Archivos de programa\\Aplicación %d\\programa%d.exe", i, i);
    }
    for (int i = 0; i < size.software; ++i) {
        info.Software->Installed->Add(Format("Programa número %d, versión 1.%d (Español)", i, i));
    }
    AddServices(*info.Services, size.services);
}

}  // namespace rb::bench
