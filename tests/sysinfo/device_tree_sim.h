// Helpers of the hardware-section tests: device instances and class keys of a simulated
// registry, laid out as the NT family or Windows 95/98/ME keeps them.
#pragma once

#include <string>

#include "platform/sim/sim_platform.h"

namespace rb::testing_hw {

struct SimDevice {
    std::string enumerator = "PCI";
    std::string device = "VEN_1234";
    std::string instance = "0";
    std::string guid;  // class GUID as the instance writes it
    std::string friendlyName;
    std::string description;
    std::string service;
    std::string location;
    std::string driver;   // "{GUID}\\0000" as the registry holds it
    bool present = true;  // NT: a "Control" subkey
};

class DeviceTree {
public:
    DeviceTree(platform::SimPlatform& sim, bool nt) : sim_(sim), nt_(nt) {
        sim.system.version =
            nt ? platform::SimSystem::WindowsXP() : platform::SimSystem::Windows98SE();
    }
    std::string EnumRoot() const { return nt_ ? "SYSTEM\\CurrentControlSet\\Enum" : "Enum"; }
    std::string ClassRoot() const {
        return nt_ ? "SYSTEM\\CurrentControlSet\\Control\\Class"
                   : "SYSTEM\\CurrentControlSet\\Services\\Class";
    }
    std::string Path(const SimDevice& d) const {
        return EnumRoot() + "\\" + d.enumerator + "\\" + d.device + "\\" + d.instance;
    }

    // A class key by GUID; on 9x the texts go under the linked key "<Class>" as that family
    // keeps them.
    void AddClass(const std::string& guid, const std::string& className,
                  const std::string& description) {
        const auto HKLM = platform::RootKey::LocalMachine;
        const std::string key = ClassRoot() + "\\" + guid;
        sim_.registry.SetString(HKLM, key, "Class", className);
        std::string texts = key;
        if (!nt_) {
            sim_.registry.SetString(HKLM, key, "Link", className);
            texts = ClassRoot() + "\\" + className;
        }
        sim_.registry.SetString(HKLM, texts, "", description);
        sim_.registry.SetString(HKLM, texts, "Icon", "-1");
    }

    void Add(const SimDevice& d) {
        const auto HKLM = platform::RootKey::LocalMachine;
        const std::string path = Path(d);
        auto set = [&](const char* name, const std::string& value) {
            if (!value.empty()) sim_.registry.SetString(HKLM, path, name, value);
        };
        sim_.registry.AddKey(HKLM, path);
        set("ClassGUID", d.guid);
        set("FriendlyName", d.friendlyName);
        set("DeviceDesc", d.description);
        set("Service", d.service);
        set("LocationInformation", d.location);
        set("Driver", d.driver);
        if (nt_ && d.present) sim_.registry.AddKey(HKLM, path + "\\Control");
    }

    // A service key with a display name and a type.
    void AddService(const std::string& name, const std::string& displayName, uint32_t type) {
        const auto HKLM = platform::RootKey::LocalMachine;
        const std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + name;
        sim_.registry.SetString(HKLM, key, "DisplayName", displayName);
        sim_.registry.SetString(HKLM, key, "Group", "Video");
        sim_.registry.SetInteger(HKLM, key, "Type", type);
    }

private:
    platform::SimPlatform& sim_;
    bool nt_;
};

}  // namespace rb::testing_hw

namespace rb::testing_hw {

// One display adapter, recorded in the layouts of both families, so that a full collection
// of a simulated system gets past the display step whichever version the test sets.
inline void AddDisplayAdapter(platform::SimPlatform& sim) {
    const auto HKLM = platform::RootKey::LocalMachine;
    const std::string guid = "{4D36E968-E325-11CE-BFC1-08002BE10318}";
    const char* const enumRoots[] = {"SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_0\\0",
                                     "Enum\\PCI\\VEN_0\\0"};
    for (const char* instance : enumRoots) {
        sim.registry.SetString(HKLM, instance, "ClassGUID", guid);
        sim.registry.SetString(HKLM, instance, "DeviceDesc", "Adaptador simulado");
        sim.registry.AddKey(HKLM, std::string(instance) + "\\Control");
    }
    const std::string nt = "SYSTEM\\CurrentControlSet\\Control\\Class\\" + guid;
    sim.registry.SetString(HKLM, nt, "Class", "Display");
    const std::string classes9x = "SYSTEM\\CurrentControlSet\\Services\\Class\\";
    sim.registry.SetString(HKLM, classes9x + guid, "Class", "Display");
    sim.registry.SetString(HKLM, classes9x + guid, "Link", "Display");
    sim.registry.SetString(HKLM, classes9x + "Display", "", "Adaptadores de pantalla");
}

}  // namespace rb::testing_hw
