// Texts kept as references in the device tree of Vista and later: the forms and their
// fallbacks, and the device, display, network and media sections that show them.
#include <gtest/gtest.h>

#include "device_tree_sim.h"
#include "sysinfo/indirect_text.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_display.h"
#include "sysinfo/si_media.h"
#include "sysinfo/si_network.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;
using testing_hw::DeviceTree;
using testing_hw::SimDevice;

const auto HKLM = RootKey::LocalMachine;
const char kAudioService[] = "@%SystemRoot%\\system32\\audiosrv.dll,-200";

TEST(IndirectText, EachFormGivesTheTextItStandsFor) {
    struct Row {
        const char* text;
        const char* loaded;    // the string loader's answer for the reference ("" nothing)
        const char* expected;
        bool asksTheLoader;
    };
    const Row rows[] = {
        {"Realtek High Definition Audio", "x", "Realtek High Definition Audio", false},
        {"", "", "", false},
        {"correo@kelto.es", "", "correo@kelto.es", false},  // "@" not in front: plain
        {"@oem12.inf,%realtek.devicedesc%;Realtek High Definition Audio", "",
         "Realtek High Definition Audio", false},
        {"@machine.inf,%pci\\ven_8086%;Intel; chipset", "", " chipset", false},  // the last ";"
        {"@System32\\drivers\\pci.sys,#65536;PCI bus %1, device %2, function %3;(0,31,3)", "",
         "PCI bus 0, device 31, function 3", false},
        {kAudioService, "Audio de Windows", "Audio de Windows", true},
        {kAudioService, "", kAudioService, true},  // nothing loaded: the raw text
        {"@%SystemRoot%\\system32\\x.dll,-5;Texto propio", "Cargado", "Cargado", true},
        {"@%SystemRoot%\\system32\\x.dll,-5;Texto propio", "", "Texto propio", true},
        {"@oem1.inf,%clave%;   ", "", "@oem1.inf,%clave%;   ", false},  // blank fallback
        {"@sin forma", "", "@sin forma", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        SimPlatform sim;
        const std::string text = row.text;
        const std::string reference = text.substr(0, text.find(';'));
        if (*row.loaded) sim.shell.indirectStrings[reference] = row.loaded;
        ScopedPlatform scope(sim);
        EXPECT_EQ(ResolveIndirectText(text), row.expected);
        EXPECT_EQ(sim.shell.indirectAsked,
                  row.asksTheLoader ? std::vector<std::string>{reference}
                                    : std::vector<std::string>{});
    }
}

// A present device of each family whose texts are references, and the service it names.
struct ReferenceTree {
    ReferenceTree(SimPlatform& sim, bool nt) : tree(sim, nt) {
        if (nt) sim.system.version = SimSystem::Windows10();
        tree.AddClass(kMediaGuid, "MEDIA", "@%SystemRoot%\\System32\\setupapi.dll,-8;Sonido");
        tree.AddClass(kNetGuid, "Net", "Adaptadores de red");
        tree.AddClass(kDisplayGuid, "Display", "Adaptadores de pantalla");
        tree.AddService("AudioSrv", kAudioService, 1);
        SimDevice audio{"HDAUDIO", "FUNC_01", "0", kMediaGuid, "",
                        "@oem12.inf,%realtek.devicedesc%;Realtek High Definition Audio"};
        audio.service = "AudioSrv";
        tree.Add(audio);
        sim.registry.SetString(HKLM, tree.Path(audio), "Mfg", "@oem12.inf,%realtek%;Realtek");
        SimDevice card{"PCI", "VEN_8086", "0", kNetGuid, "",
                       "@net1ix64.inf,%e1000.devicedesc%;Intel(R) PRO/1000"};
        card.location = "@System32\\drivers\\pci.sys,#65536;PCI bus %1, device %2;(0,25)";
        card.service = "e1000";  // no display name of its own: the location stays
        sim.registry.SetInteger(HKLM, "SYSTEM\\CurrentControlSet\\Services\\e1000", "Type", 1);
        tree.Add(card);
        tree.Add(SimDevice{"PCI", "VEN_10DE", "0", kDisplayGuid, "",
                           "@oem3.inf,%nvidia_dev%;NVIDIA GeForce GTX 1650"});
        const std::string media = tree.ClassRoot() + "\\" + (nt ? kMediaGuid : "MEDIA");
        sim.registry.SetString(HKLM, media + "\\0000", "DriverDesc",
                               "Realtek High Definition Audio");
        sim.shell.indirectStrings[kAudioService] = "Audio de Windows";
    }
    static constexpr const char* kMediaGuid = "{4D36E96C-E325-11CE-BFC1-08002BE10318}";
    static constexpr const char* kNetGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
    static constexpr const char* kDisplayGuid = "{4D36E968-E325-11CE-BFC1-08002BE10318}";
    DeviceTree tree;
};

TEST(IndirectText, SectionsShowTheResolvedTextsOnEitherFamily) {
    for (const bool nt : {true, false}) {
        SCOPED_TRACE(nt ? "Windows 10" : "Windows 98");
        SimPlatform sim;
        ReferenceTree references(sim, nt);
        TStringCollection errors;
        TDevices devices(&errors);
        TNetwork network(&errors, &devices);
        TMedia media(&errors, &devices);
        TDisplays displays(&errors, &devices);
        ScopedPlatform scope(sim);
        devices.GetInfo();
        network.GetInfo();
        media.GetInfo();
        displays.GetInfo();
        EXPECT_EQ(errors.Count(), 0);

        std::vector<std::string> shown;
        for (int i = 0; i < devices.Count(); ++i) {
            const TDevice& d = devices.Device(i);
            shown.push_back(d.Category + "|" + d.DisplayName() + "|" + d.Manufacturer + "|" +
                            d.Location);
        }
        EXPECT_EQ(shown, (std::vector<std::string>{
                             "Adaptadores de pantalla|NVIDIA GeForce GTX 1650||",
                             "Adaptadores de red|Intel(R) PRO/1000||PCI bus 0, device 25",
                             "Sonido|Realtek High Definition Audio|Realtek|Audio de Windows"}));
        EXPECT_EQ(network.Adapters->GetStrings().Lines(),
                  std::vector<std::string>{"Intel(R) PRO/1000"});
        EXPECT_EQ(network.CardAdapterIndex, 0);
        EXPECT_EQ(media.SoundCardIndex, 0);  // the device's text matches its driver's
        ASSERT_EQ(displays.Count(), 1);
        EXPECT_EQ(displays.Display(0).Adapter, "NVIDIA GeForce GTX 1650");
        StringList report;
        devices.Report(report);
        EXPECT_EQ(report.Text().find('@'), std::string::npos) << report.Text();
    }
}

}  // namespace
}  // namespace rb
