// The device tree's walk over the registry: enumerator, device and instance keys under the
// enumeration root, each present instance filled from its own values, its class key, its driver
// key and its service key. Missing keys and values give empty texts or skipped keys. The texts
// a person reads may be references on Vista and later ("@oem12.inf,%key%;text"); they are
// resolved as they are read, so the display, network and media sections and the report get
// the text itself.
#include <vector>

#include "core/text.h"
#include "sysinfo/indirect_text.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_devices.h"

namespace rb {
namespace {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TDevices.GetInfo: ";

using platform::RegKey;
using platform::RegValueType;
using platform::RootKey;

constexpr size_t kHardwareIdBytes = 255;  // the part of "HardwareID" read, longer ones cut
const char kServicesRoot[] = "SYSTEM\\CurrentControlSet\\Services\\";

std::unique_ptr<RegKey> Open(const std::string& path) {
    return platform::Current().Reg().Open(RootKey::LocalMachine, path);
}

std::string Text(const RegKey& key, const char* name) {
    return key.ReadString(name).value_or("");
}

// A text shown to people: a reference gives the text it stands for.
std::string ShownText(const RegKey& key, const char* name) {
    return ResolveIndirectText(Text(key, name));
}

struct Roots {
    std::string enumRoot;
    std::string classRoot;
    bool nt = false;  // the presence test and no "Link" indirection
};

Roots RootsForThisSystem() {
    const SystemFacts& f = Facts();
    Roots r;
    r.nt = f.IsNT || f.IsXP;
    r.enumRoot = r.nt ? "SYSTEM\\CurrentControlSet\\Enum" : "Enum";
    r.classRoot = f.IsNT ? "SYSTEM\\CurrentControlSet\\Control\\Class"
                         : "SYSTEM\\CurrentControlSet\\Services\\Class";
    return r;
}

// The service key of `name` may rename the location with its display name; a service key
// without "Type" clears it.
void ServiceStep(TDevice& d, const std::string& name) {
    const auto key = Open(kServicesRoot + name);
    if (!key) return;
    d.ServiceGroup = Text(*key, "Group");
    try {
        if (key->ValueType("DisplayName") == RegValueType::String) {
            d.Location = ShownText(*key, "DisplayName");
        }
        d.ServiceGroup = Text(*key, "Group");
        if (const auto type = key->ReadInteger("Type")) {
            d.ServiceType = static_cast<int32_t>(*type);
        } else {
            d.Location.clear();
        }
    } catch (const Exception&) {
        d.Location.clear();
    }
}

// The class key is the one named by the instance's class GUID; the 9x families keep the icon
// and description under the class key its "Link" names.
void ClassStep(TDevice& d, const Roots& roots) {
    if (d.GUID.empty() || d.GUID.find('\\') != std::string::npos) return;
    auto key = Open(roots.classRoot + "\\" + d.GUID);
    if (!key) return;
    d.DeviceClassName = Text(*key, "Class");
    if (!roots.nt) {
        key = Open(roots.classRoot + "\\" + Text(*key, "Link"));
        if (!key) return;
    }
    d.ClassIcon = Text(*key, "Icon");
    d.ClassDesc = ShownText(*key, "");
}

void DriverStep(TDevice& d, const RegKey& instance, const Roots& roots) {
    const std::string driver = ReplaceAll(Text(instance, "Driver"), "\\\\", "\\");
    const auto key = Open(roots.classRoot + "\\" + driver);
    if (!key) return;
    d.DriverDate = Text(*key, "DriverDate");
    d.DriverVersion = Text(*key, "DriverVersion");
    d.DriverProvider = Text(*key, "ProviderName");
}

// The value's strings run together; a longer value is cut to its first 255 bytes.
void HardwareIdStep(TDevice& d, const RegKey& instance) {
    if (!instance.ValueExists("HardwareID")) {
        d.HardwareID.clear();
        return;
    }
    if (auto bytes = instance.ReadBinary("HardwareID")) {
        if (bytes->size() > kHardwareIdBytes) bytes->resize(kHardwareIdBytes);
        d.HardwareID = WideBufferToText(*bytes);
    } else if (const auto text = instance.ReadString("HardwareID")) {
        d.HardwareID = *text;
    }
}

// Fills `d` from one instance key; false when the device has no class name.
bool FillDevice(TDevice& d, const RegKey& instance, const std::string& enumerator,
                const std::string& path, const Roots& roots) {
    d.GUID = AnsiUpperCase(Text(instance, "ClassGUID"));
    d.FriendlyName = ShownText(instance, "FriendlyName");
    d.Description = ShownText(instance, "DeviceDesc");
    d.Manufacturer = ShownText(instance, "Mfg");
    d.Service = Text(instance, "Service");
    d.Location = ShownText(instance, "LocationInformation");
    if (d.Location.empty()) ServiceStep(d, enumerator);
    ClassStep(d, roots);
    if (d.DeviceClassName.empty()) d.DeviceClassName = Text(instance, "Class");
    DriverStep(d, instance, roots);
    ServiceStep(d, d.Service);
    d.RegKey = path;
    HardwareIdStep(d, instance);
    d.Category = d.ClassDesc.empty() ? d.DeviceClassName : d.ClassDesc;
    if (Trim(d.DeviceClassName).empty()) return false;
    d.DeviceClass = ClassFromName(d.DeviceClassName);
    return true;
}

std::vector<std::string> SubKeys(const std::string& path) {
    const auto key = Open(path);
    return key ? key->SubKeyNames() : std::vector<std::string>{};
}

}  // namespace

// The items added before a failure stay, unsorted, and the machine name is not taken then.
void TDevices::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        Enumerate();
        Machine = GetMachineName();
        SortByCategory();
    });
}

void TDevices::Enumerate() {
    Clear();
    const Roots roots = RootsForThisSystem();
    for (const std::string& enumerator : SubKeys(roots.enumRoot)) {
        if (!roots.nt && SameText(enumerator, "Network")) continue;
        const std::string enumPath = roots.enumRoot + "\\" + enumerator;
        for (const std::string& device : SubKeys(enumPath)) {
            const std::string devicePath = enumPath + "\\" + device;
            for (const std::string& instance : SubKeys(devicePath)) {
                const std::string path = devicePath + "\\" + instance;
                const auto key = Open(path);
                if (!key) continue;
                if (roots.nt && !Open(path + "\\Control")) continue;  // not present
                auto& d = AddItem<TDevice>();
                if (!FillDevice(d, *key, enumerator, path, roots)) Delete(Count() - 1);
            }
        }
    }
}

}  // namespace rb
