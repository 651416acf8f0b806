// The shared routines against the real system (under Wine in the test runs).
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"

// Last, so that its A/W macros do not rename members of the project's headers.
#include <windows.h>

namespace {

using rb::platform::Current;
using rb::platform::RootKey;

TEST(RoutinesWin32, FactsAgreeWithTheVersionRecord) {
    const rb::platform::OsVersion v = Current().System().Version();
    const rb::SystemFacts& f = rb::Facts();
    EXPECT_EQ(f.Kind, rb::OsKindOf(v));
    EXPECT_EQ(f.Kind, rb::GetOSKind());
    if (v.platformId == 2) {
        EXPECT_TRUE(f.IsNT);
        EXPECT_EQ(f.ClassKey, "SYSTEM\\CurrentControlSet\\Control\\Class");
    }
    if (v.platformId == 2 && v.major >= 6) {  // Wine's default is 6.1
        EXPECT_EQ(f.Kind, rb::OsKind::Unknown);
        EXPECT_EQ(f.OSFamilyName, "Windows NT");
    }
    EXPECT_FALSE(f.OSFamilyName.empty());
    EXPECT_FALSE(f.UserName.empty());
    EXPECT_FALSE(f.ComputerName.empty());
}

TEST(RoutinesWin32, FindsWinesDisplayAdapterClass) {
    rb::StringList list;
    std::string key;
    rb::GetClassDevices("SYSTEM\\CurrentControlSet\\Control\\Class", "Display", "DriverDesc", list,
                        key);
    EXPECT_TRUE(rb::SameText(key, "{4D36E968-E325-11CE-BFC1-08002BE10318}")) << key;
    EXPECT_GE(list.IndexOf("Wine Adapter"), 0) << list.CommaText();
}

void DeleteTestKeys() {
    for (const char* key : {"rbtestfile\\shell\\open\\command", "rbtestfile\\shell\\open",
                            "rbtestfile\\shell", "rbtestfile\\DefaultIcon", "rbtestfile",
                            ".rbtest"}) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    }
}

std::string Default(const std::string& path) {
    const auto key = Current().Reg().Open(RootKey::ClassesRoot, path);
    return key ? key->ReadString("").value_or("<none>") : "<no key>";
}

// Stores the open command again as REG_EXPAND_SZ: the text reads the same, and a rewrite would
// turn it back into REG_SZ.
void MarkCommand() {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "rbtestfile\\shell\\open\\command", 0,
                            KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const char command[] = "\"C:\\Kelto\\rbInfo.exe\" \"%1\"";
    RegSetValueExA(key, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(command),
                   sizeof command);
    RegCloseKey(key);
}

DWORD CommandType() {
    DWORD type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "rbtestfile\\shell\\open\\command", 0, KEY_QUERY_VALUE,
                      &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
    }
    return type;
}

TEST(RoutinesWin32, RegisterFileTypeWritesClassesRootAndKeepsAnEqualCommand) {
    DeleteTestKeys();
    const std::string program = "C:\\Kelto\\rbInfo.exe";
    rb::RegisterFileType("rbtest", program, "Información de prueba");
    EXPECT_EQ(Default(".rbtest"), "rbtestfile");
    EXPECT_EQ(Default("rbtestfile"), "Información de prueba");
    EXPECT_EQ(Default("rbtestfile\\DefaultIcon"), "\"C:\\Kelto\\rbInfo.exe\",0");
    EXPECT_EQ(Default("rbtestfile\\shell\\open\\command"), "\"C:\\Kelto\\rbInfo.exe\" \"%1\"");
    EXPECT_EQ(CommandType(), static_cast<DWORD>(REG_SZ));

    MarkCommand();
    rb::RegisterFileType("rbtest", program, "Información de prueba");
    EXPECT_EQ(CommandType(), static_cast<DWORD>(REG_EXPAND_SZ));  // not written again

    rb::RegisterFileType("rbtest", "C:\\Otro\\rbInfo.exe", "Información de prueba");
    EXPECT_EQ(CommandType(), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Default("rbtestfile\\shell\\open\\command"), "\"C:\\Otro\\rbInfo.exe\" \"%1\"");
    DeleteTestKeys();
    EXPECT_EQ(Default(".rbtest"), "<no key>");
}

}  // namespace
