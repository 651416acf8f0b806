#include <mutex>

#include "compare/machine_identity.h"
#include "core/text.h"
#include "service/filing/changes.h"
#include "service/filing/filing.h"
#include "xml/sys_info_xml.h"

namespace rb::service {
namespace {

// The values that find the machines an inventory may belong to: any that shares one of them
// is a candidate, and the machine rule decides among the candidates.
std::vector<std::string> KeysOf(const compare::MachineFingerprint& f) {
    std::vector<std::string> keys;
    if (!f.computerName.empty()) keys.push_back("nombre:" + f.computerName);
    if (!f.osProductId.empty()) keys.push_back("producto:" + f.osProductId);
    for (const std::string& mac : f.macAddresses) keys.push_back("mac:" + mac);
    for (const std::string& serial : f.volumeSerials) keys.push_back("volumen:" + serial);
    return keys;
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

void RegisterDocumentClasses() {
    static std::once_flag once;
    std::call_once(once, RegisterInformationClasses);
}

InventoryFacts ReadFacts(const Inventory& inventory) {
    InventoryFacts facts;
    facts.version = kFactsVersion;
    facts.sectionCount = CountSections(inventory.sections);
    try {
        RegisterDocumentClasses();
        TXMLSysInfo document;
        document.LoadXML(inventory.xml);
        ReadSections(*document.SystemInfo, facts);
        const compare::MachineFingerprint fingerprint = compare::FingerprintOf(*document.SystemInfo);
        facts.machineKeys = KeysOf(fingerprint);
        if (!facts.machineKeys.empty()) facts.identity = compare::EncodeFingerprint(fingerprint);
    } catch (const std::exception&) {
        // Not an inventory the program could read: filed without facts or machine, kept all
        // the same.
    }
    return facts;
}

// The strongest match among the candidates whose identity can be read; a machine of its own
// when none matches.
ChooseMachine MachineRule(const InventoryFacts& facts) {
    return [&facts](const std::vector<MachineCandidate>& candidates) -> int64_t {
        if (facts.identity.empty()) return 0;
        compare::MachineFingerprint incoming;
        try {
            incoming = compare::DecodeFingerprint(facts.identity);
        } catch (const std::exception&) {
            return 0;  // not a fingerprint: a machine of its own
        }
        std::vector<compare::MachineFingerprint> known;
        std::vector<int64_t> ids;
        for (const MachineCandidate& candidate : candidates) {
            try {
                known.push_back(compare::DecodeFingerprint(candidate.identity));
                ids.push_back(candidate.id);
            } catch (const std::exception&) {
                // A machine filed by an older rule: not a candidate.
            }
        }
        const std::optional<size_t> found = compare::FindMachine(incoming, known);
        return found ? ids[*found] : 0;
    };
}

// What changed since the machine's previous inventory is kept once the inventory is: a
// comparison that fails loses nothing.
int64_t KeepInventory(Store& store, const Inventory& inventory) {
    const InventoryFacts facts = ReadFacts(inventory);
    const int64_t id = store.AddInventory(inventory, facts, MachineRule(facts));
    try {
        FileChanges(store, id);
    } catch (const std::exception&) {
        // The timeline makes it again when it is shown.
    }
    return id;
}

int64_t RefileOlder(Store& store) {
    return store.Refile(kFactsVersion, ReadFacts, MachineRule);
}

}  // namespace rb::service
