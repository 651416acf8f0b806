// Which inventories are one computer: the fingerprint taken from the golden inventory, the
// rule on its edge cases, the choice among known machines and the fingerprint's text form.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "compare/compare_helpers.h"
#include "compare/machine_identity.h"
#include "core/exception.h"

namespace rb::compare {
namespace {

MachineFingerprint Golden() {
    return FingerprintOf(*test::LoadGolden()->SystemInfo);
}

TEST(MachineIdentity, FingerprintOfTheGoldenInventory) {
    const MachineFingerprint f = Golden();
    EXPECT_EQ(f.computerName, "OFICINA-PEÑA");
    EXPECT_EQ(f.osProductId, "55274-640-1234567-23456");
    EXPECT_EQ(f.bios, "Award Modular BIOS v6.00PG | 04/15/03 | Copyright (C) 2003 Compañía BIOS");
    EXPECT_EQ(f.processor, "Intel Corporation | Pentium 4 | 15.2.9");
    EXPECT_EQ(f.macAddresses, std::vector<std::string>{"000C293A5B7C"});
    EXPECT_EQ(f.volumeSerials, std::vector<std::string>{"1A2B3C4D"});  // C: only, not the CD
}

// What changes between runs of one computer leaves the fingerprint as it was.
TEST(MachineIdentity, ProgramsUserAndIpAddressesDoNotCount) {
    const auto doc = test::LoadGolden();
    TMSystemInfo& info = *doc->SystemInfo;
    info.Software->Installed->Delete(0);
    info.Software->Installed->Add("Contabilidad Peña 2.1");
    info.Machine->User = "Otra Persona";
    info.Machine->SystemUpTime = "1";
    info.Network->IPAddresses->Put(0, "10.1.2.3");
    info.Disks->ItemAs<TDisk>(0).FreeSpace = 1;
    info.Machine->Name = "oficina-peña ";  // case and blanks do not count either
    EXPECT_EQ(FingerprintOf(info), Golden());
}

TEST(MachineIdentity, OnlyOneCardsAddressesCount) {
    const struct {
        const char* text;
        const char* normalized;
    } cases[] = {
        {"00-0C-29-3A-5B-7C", "000C293A5B7C"}, {"00:0c:29:3a:5b:7c", "000C293A5B7C"},
        {"000C.293A.5B7C", "000C293A5B7C"},    {"00-0C-29-3A-5B", ""},
        {"??:??:??:??:??:??", ""},             {"00-00-00-00-00-00", ""},
        {"FF-FF-FF-FF-FF-FF", ""},
        {"02-00-4C-4F-4F-50", ""},  // locally administered (the loopback adapter)
        {"01-00-5E-00-00-01", ""},  // a group
        {"00-53-45-00-00-00", ""},             {"20-41-53-59-4E-FF", ""},
        {"00-50-56-C0-00-08", ""},             {"00-50-56-C0-00-09", "005056C00009"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizedMacAddress(c.text), c.normalized) << c.text;
}

using Edit = std::function<void(MachineFingerprint&)>;

struct IdentityCase {
    const char* name;
    Edit edit;  // applied to a copy of the golden fingerprint: the later inventory
    bool same;
};

void NewCard(MachineFingerprint& f) {
    f.macAddresses = {"00E018AABBCC"};
}
void NoCard(MachineFingerprint& f) {
    f.macAddresses.clear();
}
void Reinstalled(MachineFingerprint& f) {
    f.osProductId = "76487-OEM-0011903-00102";
    f.volumeSerials = {"5E6F7A8B"};
}
void Renamed(MachineFingerprint& f) {
    f.computerName = "CONTABILIDAD";
}
void OtherBoard(MachineFingerprint& f) {
    f.bios = "Phoenix BIOS | 01/01/05 | Copyright (C) Phoenix";
    f.processor = "AuthenticAMD | Athlon 64 | 15.4.8";
}

const IdentityCase kCases[] = {
    {"Unchanged", [](MachineFingerprint&) {}, true},
    {"Renamed", Renamed, true},
    {"OperatingSystemReinstalled", Reinstalled, true},
    {"ReinstalledAndRenamed", [](MachineFingerprint& f) { Reinstalled(f); Renamed(f); }, true},
    {"SecondCardAdded", [](MachineFingerprint& f) { f.macAddresses.push_back("00E018AABBCC"); },
     true},
    {"ProcessorUpgradedKeepingItsCard",
     [](MachineFingerprint& f) { f.processor = "Intel Corporation | Pentium 4 | 15.3.4"; }, true},
    {"CardReplacedNothingElse", NewCard, true},
    {"CardReplacedAndRenamed", [](MachineFingerprint& f) { NewCard(f); Renamed(f); }, false},
    // Two computers of one name: another card, another board, another installation.
    {"SameNameOtherComputer",
     [](MachineFingerprint& f) { NewCard(f); OtherBoard(f); Reinstalled(f); }, false},
    // Twins of one model and one name are told apart by their cards or their disks (so a
    // replaced card on a reinstalled system makes a new machine too).
    {"SameNameSameModelOtherCard", [](MachineFingerprint& f) { NewCard(f); Reinstalled(f); },
     false},
    {"SameNameSameModelNoCard", [](MachineFingerprint& f) { NoCard(f); Reinstalled(f); }, false},
    {"NoCardRenamed", [](MachineFingerprint& f) { NoCard(f); Renamed(f); }, true},
    {"NoCardOtherBoard", [](MachineFingerprint& f) { NoCard(f); OtherBoard(f); }, false},
    {"NoCardNoBoardNameAndInstallation",
     [](MachineFingerprint& f) { NoCard(f); f.bios.clear(); f.processor.clear(); }, true},
    {"NoCardNoBoardNameOnly",
     [](MachineFingerprint& f) {
         NoCard(f);
         f.bios.clear();
         f.processor.clear();
         f.osProductId.clear();
         f.volumeSerials.clear();
     },
     false},
    // A USB adapter moved to another computer.
    {"CardMovedToAnotherComputer",
     [](MachineFingerprint& f) { Renamed(f); OtherBoard(f); Reinstalled(f); }, false},
    {"NothingKnown", [](MachineFingerprint& f) { f = MachineFingerprint(); }, false},
};

TEST(MachineIdentity, TheRuleOnItsEdgeCases) {
    const MachineFingerprint known = Golden();
    for (const IdentityCase& c : kCases) {
        MachineFingerprint incoming = known;
        c.edit(incoming);
        const IdentityMatch m = MatchMachines(known, incoming);
        EXPECT_EQ(m.same, c.same) << c.name << ": " << m.reason;
        EXPECT_EQ(MatchMachines(incoming, known).same, c.same) << c.name << " (reversed)";
        EXPECT_EQ(m.strength > 0, c.same) << c.name;
    }
}

TEST(MachineIdentity, FindMachineTakesTheStrongestMatch) {
    const MachineFingerprint incoming = Golden();
    MachineFingerprint withoutCard = incoming;  // an earlier inventory that read no card
    NoCard(withoutCard);
    withoutCard.volumeSerials.clear();
    MachineFingerprint renamedItself = incoming;
    Renamed(renamedItself);
    MachineFingerprint stranger = incoming;
    NewCard(stranger);
    OtherBoard(stranger);
    Reinstalled(stranger);
    EXPECT_EQ(FindMachine(incoming, {withoutCard, renamedItself}), size_t{1});
    EXPECT_EQ(FindMachine(incoming, {stranger, renamedItself, incoming}), size_t{2});
    EXPECT_EQ(FindMachine(incoming, {stranger}), std::nullopt);
    EXPECT_EQ(FindMachine(incoming, {}), std::nullopt);
}

TEST(MachineIdentity, FingerprintTextRoundTrip) {
    MachineFingerprint f = Golden();
    f.bios = "línea 1\r\nlínea\t2 \\ fin";
    f.macAddresses.push_back("00E018AABBCC");
    for (const MachineFingerprint& each : {f, MachineFingerprint()}) {
        const std::string text = EncodeFingerprint(each);
        EXPECT_EQ(text.find('\n'), std::string::npos);
        EXPECT_EQ(DecodeFingerprint(text), each);
    }
}

TEST(MachineIdentity, TextsThatAreNoFingerprintAreRefused) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "1 campos, y no 7"},
        {"2\ta\tb\tc\td\t\t", "versión \"2\""},
        {"1\ta\tb\tc\td\t000C293A5B7C,12\t", "dirección MAC \"12\""},
        {"1\ta\tb\tc\td\t\t1a2b3c4d", "número de serie de volumen \"1a2b3c4d\""},
        {"1\ta\\\tb\tc\td\t\t", "una barra inversa al final de un campo"},
        {"1\ta\\x\tb\tc\td\t\t", "la secuencia \\x"},
    };
    for (const auto& c : cases) {
        try {
            DecodeFingerprint(c.text);
            ADD_FAILURE() << c.error;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("Huella de máquina no válida: ") + c.error);
        }
    }
}

}  // namespace
}  // namespace rb::compare
