// Device-class look-up on both families, and the file-type registration.
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/routines.h"

namespace {

using rb::platform::Registry;
using rb::platform::RegKey;
using rb::platform::RootKey;
using rb::platform::ScopedPlatform;
using rb::platform::SimPlatform;
using rb::platform::SimSystem;

// A simulated system on which some keys exist but cannot be opened (no access).
class LockedKeysPlatform : public SimPlatform {
public:
    class Filter : public Registry {
    public:
        explicit Filter(LockedKeysPlatform& owner) : owner_(owner) {}
        std::unique_ptr<RegKey> Open(RootKey root, std::string_view path, bool write) override {
            for (const std::string& locked : owner_.locked) {
                if (rb::SameText(locked, path)) return nullptr;
            }
            return owner_.registry.Open(root, path, write);
        }
        std::unique_ptr<RegKey> Create(RootKey root, std::string_view path) override {
            return owner_.registry.Create(root, path);
        }

    private:
        LockedKeysPlatform& owner_;
    };

    Registry& Reg() override { return filter_; }
    std::vector<std::string> locked;

private:
    Filter filter_{*this};
};

const char kNT[] = "SYSTEM\\CurrentControlSet\\Control\\Class";
const char k9x[] = "SYSTEM\\CurrentControlSet\\Services\\Class";

void Put(SimPlatform& sim, const std::string& path, const char* name, const char* value) {
    sim.registry.SetString(RootKey::LocalMachine, path, name, value);
}

TEST(GetClassDevices, NTTakesTheDriversFromTheFirstMatchingClass) {
    LockedKeysPlatform sim;
    const std::string base = kNT;
    Put(sim, base + "\\{0}", "Class", "Display");  // locked below: skipped
    Put(sim, base + "\\{1}", "Class", "Monitor");
    Put(sim, base + "\\{1}\\0000", "DriverDesc", "Monitor genérico");
    Put(sim, base + "\\{2}", "Class", "DISPLAY");
    Put(sim, base + "\\{2}", "Link", "Ignored");
    Put(sim, base + "\\{2}\\0000", "DriverDesc", "Wine Adapter");
    Put(sim, base + "\\{2}\\0001", "DriverDesc", "Wine Adapter");  // duplicate dropped
    Put(sim, base + "\\{2}\\0002", "DriverDesc", "wine adapter");  // other text, kept
    Put(sim, base + "\\{2}\\0003", "Other", "x");                  // no value: nothing
    Put(sim, base + "\\{2}\\0004", "DriverDesc", "Locked");
    Put(sim, base + "\\{3}", "Class", "Display");  // second match: never read
    Put(sim, base + "\\{3}\\0000", "DriverDesc", "Second");
    sim.locked = {base + "\\{0}", base + "\\{2}\\0004"};
    ScopedPlatform scope(sim);

    rb::StringList list{"stale"};
    std::string key = "stale";
    rb::GetClassDevices(kNT, "display", "DriverDesc", list, key);
    EXPECT_EQ(key, "{2}");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"Wine Adapter", "wine adapter"}));

    rb::GetClassDevices(kNT, "Printer", "DriverDesc", list, key);
    EXPECT_EQ(key, "");
    EXPECT_EQ(list.Count(), 0);
    rb::GetClassDevices("SYSTEM\\Missing", "Display", "DriverDesc", list, key);
    EXPECT_EQ(list.Count(), 0);
}

TEST(GetClassDevices, Windows9xFollowsTheLinkUpperCased) {
    SimPlatform sim;
    sim.system.version = SimSystem::Windows98SE();
    const std::string base = k9x;
    Put(sim, base + "\\0001", "Class", "Media");
    Put(sim, base + "\\0001", "Link", "media");
    Put(sim, base + "\\0001\\0000", "DriverDesc", "Not here");  // 9x reads the linked key
    Put(sim, base + "\\MEDIA\\0000", "DriverDesc", "Sound Blaster");
    Put(sim, base + "\\MEDIA\\0001", "DriverDesc", "Sound Blaster");
    Put(sim, base + "\\MEDIA\\0002", "DriverDesc", "Microsoft MIDI");
    ScopedPlatform scope(sim);

    rb::StringList list;
    std::string key;
    rb::GetClassDevices(k9x, "MEDIA", "DriverDesc", list, key);
    EXPECT_EQ(key, "MEDIA");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"Sound Blaster", "Microsoft MIDI"}));
}

TEST(GetClassDevices, Windows9xStopsAtALinkThatDoesNotOpen) {
    SimPlatform sim;
    sim.system.version = SimSystem::Windows95();
    const std::string base = k9x;
    Put(sim, base + "\\0001", "Class", "Net");
    Put(sim, base + "\\0001", "Link", "Gone");
    Put(sim, base + "\\0002", "Class", "Net");
    Put(sim, base + "\\0002", "Link", "NET");
    Put(sim, base + "\\NET\\0000", "DriverDesc", "Adaptador");
    ScopedPlatform scope(sim);

    rb::StringList list;
    std::string key;
    rb::GetClassDevices(k9x, "Net", "DriverDesc", list, key);
    EXPECT_EQ(key, "");
    EXPECT_EQ(list.Count(), 0);
}

const char kProgram[] = "C:\\Archivos de programa\\Kelto\\rbInfo.exe";

std::string Default(SimPlatform& sim, const std::string& path) {
    const auto key = sim.registry.Open(RootKey::ClassesRoot, path, false);
    return key ? key->ReadString("").value_or("<none>") : "<no key>";
}

TEST(RegisterFileType, WritesTheAssociationAndTheCommandOnlyWhenItChanged) {
    SimPlatform sim;
    ScopedPlatform scope(sim);
    rb::RegisterFileType("fzp", kProgram, "Información de Hardware");

    const std::string quoted = std::string("\"") + kProgram + "\"";
    EXPECT_EQ(Default(sim, ".fzp"), "fzpfile");
    EXPECT_EQ(Default(sim, "fzpfile"), "Información de Hardware");
    EXPECT_EQ(Default(sim, "fzpfile\\DefaultIcon"), quoted + ",0");
    EXPECT_EQ(Default(sim, "fzpfile\\shell\\open\\command"), quoted + " \"%1\"");
    ASSERT_EQ(sim.shell.shellNotifications.size(), 1u);
    EXPECT_EQ(sim.shell.shellNotifications[0], std::make_pair(int32_t{0x08000000}, 0u));

    // A second start writes the three names again but leaves the command alone.
    const int writes = sim.registry.WriteCount();
    rb::RegisterFileType("fzp", kProgram, "Información de Hardware");
    EXPECT_EQ(sim.registry.WriteCount(), writes + 3);
    EXPECT_EQ(sim.shell.shellNotifications.size(), 1u);

    // The program moved: the command follows.
    rb::RegisterFileType("fzp", "D:\\rbInfo.exe", "Información de Hardware");
    EXPECT_EQ(Default(sim, "fzpfile\\shell\\open\\command"), "\"D:\\rbInfo.exe\" \"%1\"");
    EXPECT_EQ(sim.shell.shellNotifications.size(), 2u);
}

TEST(RegisterFileType, TypeNameParametersIconIndexAndQuotes) {
    SimPlatform sim;
    ScopedPlatform scope(sim);
    rb::RegisterFileType("rpg", "C:\\a\"b.exe", "Páginas", "/open", "Kelto.Request", 2);
    EXPECT_EQ(Default(sim, ".rpg"), "Kelto.Request");
    EXPECT_EQ(Default(sim, "Kelto.Request\\DefaultIcon"), "\"C:\\a\"\"b.exe\",2");
    EXPECT_EQ(Default(sim, "Kelto.Request\\shell\\open\\command"),
              "\"C:\\a\"\"b.exe\" /open \"%1\"");
}

TEST(RegisterFileType, ARefusedRegistryRaisesAndNotifiesNobody) {
    SimPlatform sim;
    sim.registry.DenyWrites(RootKey::ClassesRoot);
    ScopedPlatform scope(sim);
    EXPECT_THROW(rb::RegisterFileType("fzp", kProgram, "Información de Hardware"),
                 rb::ERegistryException);
    EXPECT_EQ(sim.registry.WriteCount(), 0);
    EXPECT_TRUE(sim.shell.shellNotifications.empty());
}

}  // namespace
