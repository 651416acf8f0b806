// Registry work shared by several sections and the program entry: device classes and the
// shell's file-type association.
#include <algorithm>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines_os.h"
#include "sysinfo/routines_registry.h"

namespace rb {
namespace {

using platform::RegKey;
using platform::RootKey;

constexpr int32_t kShellAssocChanged = 0x08000000;  // SHCNE_ASSOCCHANGED

std::unique_ptr<RegKey> OpenMachineKey(const std::string& path) {
    return platform::Current().Reg().Open(RootKey::LocalMachine, path);
}

// The subkey of `classKey` holding the drivers of class subkey `sub`; "" when there is none.
// NT keeps them in the class's own key; Windows 95/98/ME points to them with "Link".
std::string DriversSubKey(const std::string& classKey, const std::string& sub,
                          const RegKey& subKey) {
    if (Facts().IsNT || Facts().IsXP) return sub;
    const std::string link = AnsiUpperCase(subKey.ReadString("Link").value_or(""));
    // An empty link would name the class root itself; there are no drivers to find then.
    if (link.empty() || !OpenMachineKey(classKey + "\\" + link)) return "";
    return link;
}

void AddDrivers(const std::string& driversKey, const std::string& valueName, StringList& list) {
    const auto drivers = OpenMachineKey(driversKey);
    if (!drivers) return;
    for (const std::string& name : drivers->SubKeyNames()) {
        const auto driver = OpenMachineKey(driversKey + "\\" + name);
        if (!driver) continue;
        const auto text = driver->ReadString(valueName);
        if (!text) continue;
        const auto& lines = list.Lines();
        if (std::find(lines.begin(), lines.end(), *text) == lines.end()) list.Add(*text);
    }
}

std::string QuotedPath(const std::string& path) {
    return "\"" + ReplaceAll(path, "\"", "\"\"") + "\"";
}

std::unique_ptr<RegKey> CreateClassesKey(const std::string& path) {
    auto key = platform::Current().Reg().Create(RootKey::ClassesRoot, path);
    if (!key) throw ERegistryException("Failed to create key " + path);
    return key;
}

void WriteDefault(RegKey& key, const std::string& path, const std::string& value) {
    if (!key.WriteString("", value)) {
        throw ERegistryException("Failed to set data for '" + path + "'");
    }
}

}  // namespace

void GetClassDevices(const std::string& classKey, const std::string& className,
                     const std::string& valueName, StringList& list, std::string& key) {
    key.clear();
    list.Clear();
    const auto root = OpenMachineKey(classKey);
    if (!root) return;
    for (const std::string& sub : root->SubKeyNames()) {
        const auto subKey = OpenMachineKey(classKey + "\\" + sub);
        if (!subKey) continue;
        const auto cls = subKey->ReadString("Class");
        if (!cls || !SameText(*cls, className)) continue;
        const std::string drivers = DriversSubKey(classKey, sub, *subKey);
        if (drivers.empty()) return;
        key = drivers;
        AddDrivers(classKey + "\\" + drivers, valueName, list);
        return;  // only the first matching class counts
    }
}

void RegisterFileType(const std::string& extension, const std::string& file,
                      const std::string& description, const std::string& openParams,
                      const std::string& typeName, int iconIndex) {
    std::string program = QuotedPath(file);
    const std::string type = typeName.empty() ? extension + "file" : typeName;

    const std::string extKey = "." + extension;
    WriteDefault(*CreateClassesKey(extKey), extKey, type);

    const auto typeKey = CreateClassesKey(type);
    WriteDefault(*typeKey, type, description);
    const std::string iconKey = type + "\\DefaultIcon";
    WriteDefault(*CreateClassesKey(iconKey), iconKey, program + "," + IntToStr(iconIndex));

    if (!openParams.empty()) program += " " + openParams;
    const std::string command = program + " \"%1\"";
    const std::string commandKey = type + "\\shell\\open\\command";
    const auto key = CreateClassesKey(commandKey);
    // Rewriting an unchanged command would make the shell rebuild its icons on every start.
    if (key->ReadString("").value_or("") != command) {
        WriteDefault(*key, commandKey, command);
        platform::Current().Shell().ShellChangeNotify(kShellAssocChanged, 0);
    }
}

}  // namespace rb
