#include <algorithm>

#include "core/text.h"
#include "service/filing/filing.h"
#include "xml/sys_info_xml.h"

namespace rb::service {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void ReadSections(TMSystemInfo& info, InventoryFacts& facts) {
    facts.computer = info.Machine->Name;
    const TOperatingSystem& os = *info.OS;
    facts.os = Trim(os.SOName.empty() ? os.OS_Version : os.SOName);
    if (os.MajorVersion > 0) {
        facts.os += Format(" %d.%d.%d", int(os.MajorVersion), int(os.MinorVersion),
                           int(os.BuildNumber));
    }
    facts.cpu = Trim(info.CPU->VendorID.empty() ? info.CPU->VendorEx : info.CPU->VendorID);
    facts.memoryBytes = info.Memory->PhysicalTotal;
    facts.problems = info.ErrorList->Count();
    for (int i = 0; i < info.Software->Installed->Count(); ++i) {
        facts.programs.push_back(info.Software->Installed->Get(i));
    }
}

}  // namespace

InventoryFacts ReadFacts(const Inventory& inventory) {
    InventoryFacts facts;
    facts.version = kFactsVersion;
    facts.sectionCount = CountSections(inventory.sections);
    try {
        RegisterInformationClasses();
        TXMLSysInfo document;
        document.LoadXML(inventory.xml);
        ReadSections(*document.SystemInfo, facts);
    } catch (const std::exception&) {
        // Not an inventory the program could read: filed without facts, kept all the same.
    }
    facts.identity = facts.computer;
    if (!facts.computer.empty()) facts.machineKeys.push_back("name:" + Upper(facts.computer));
    return facts;
}

ChooseMachine MachineRule(const InventoryFacts& facts) {
    return [&facts](const std::vector<MachineCandidate>& candidates) -> int64_t {
        if (facts.computer.empty()) return 0;
        for (const MachineCandidate& candidate : candidates) {
            if (SameText(candidate.identity, facts.identity)) return candidate.id;
        }
        return 0;
    };
}

int64_t KeepInventory(Store& store, const Inventory& inventory) {
    const InventoryFacts facts = ReadFacts(inventory);
    return store.AddInventory(inventory, facts, MachineRule(facts));
}

int64_t RefileOlder(Store& store) {
    return store.Refile(kFactsVersion, ReadFacts, MachineRule);
}

}  // namespace rb::service
