#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>

#include "core/text.h"
#include "platform/registry_contract.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/platform_win32.h"

namespace {

using rb::platform::RegKey;
using rb::platform::RootKey;
using rb::platform::Win32Platform;
using rb::platform::Win32Registry;
using rb::platform::Win32RegKey;
namespace win32 = rb::platform::win32;

const char kTestKey[] = "Software\\rbInfoTests";

// RegDeleteKeyA takes only keys without subkeys on NT, so the tree goes bottom up.
void DeleteTree(HKEY parent, const std::string& path) {
    win32::RegKeyHandle key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS) {
        key.Release();
        return;
    }
    char name[256];
    DWORD length = sizeof(name);
    while (RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
        DeleteTree(key.Get(), name);
        length = sizeof(name);
    }
    key.Reset();
    RegDeleteKeyA(parent, path.c_str());
}

class Win32RegistryTest : public testing::Test {
protected:
    void SetUp() override { DeleteTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override {
        DeleteTree(HKEY_CURRENT_USER, kTestKey);
        win32::RegKeyHandle gone;
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, gone.Put()),
                  ERROR_SUCCESS);
        gone.Release();
    }
    Win32Registry reg;
};

TEST_F(Win32RegistryTest, RoundTripThroughTheSystem) {
    const std::string path = std::string(kTestKey) + "\\Vuelta";
    {
        const auto key = reg.Create(RootKey::CurrentUser, path);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->WriteString("Texto", "Año"));
        EXPECT_TRUE(key->WriteInteger("Numero", 0xDEADBEEF));
        EXPECT_TRUE(key->WriteBinary("Datos", {0, 1, 0, 0, 2}));
        ASSERT_NE(reg.Create(RootKey::CurrentUser, path + "\\Uno"), nullptr);
        ASSERT_NE(reg.Create(RootKey::CurrentUser, path + "\\Dos"), nullptr);
    }
    const auto key = reg.Open(RootKey::CurrentUser, path);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString("texto"), "Año");
    EXPECT_EQ(key->ReadInteger("Numero"), 0xDEADBEEFu);
    EXPECT_EQ(key->ReadBinary("Datos"), (std::vector<uint8_t>{0, 1, 0, 0, 2}));
    EXPECT_EQ(key->SubKeyNames(), (std::vector<std::string>{"Dos", "Uno"}));
    std::vector<std::string> values = key->ValueNames();
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"Datos", "Numero", "Texto"}));
    EXPECT_EQ(key->ReadString("Falta"), std::nullopt);
    EXPECT_EQ(reg.Open(RootKey::CurrentUser, path + "\\Falta"), nullptr);

    // The system holds the text itself, not just bytes: read wide, it is "Año".
    wchar_t wide[16] = {};
    DWORD size = sizeof(wide);
    const HKEY raw = static_cast<const Win32RegKey&>(*key).Handle();
    ASSERT_EQ(
        RegQueryValueExW(raw, L"Texto", nullptr, nullptr, reinterpret_cast<BYTE*>(wide), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(wide, L"A\u00F1o");
}

TEST_F(Win32RegistryTest, KeepsTheSameContractAsTheSimulation) {
    rbtest::CheckRegistryContract(
        reg, RootKey::CurrentUser, std::string(kTestKey) + "\\Contract",
        [&](const std::string& path, const std::string& name,
            const std::vector<std::string>& strings) {
            std::string data;
            for (const std::string& s : strings) data += s + '\0';
            data += '\0';
            const auto key = reg.Open(RootKey::CurrentUser, path, true);
            ASSERT_NE(key, nullptr);
            const HKEY raw = static_cast<const Win32RegKey&>(*key).Handle();
            ASSERT_EQ(RegSetValueExA(raw, name.c_str(), 0, REG_MULTI_SZ,
                                     reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size())),
                      ERROR_SUCCESS);
        });
}

TEST_F(Win32RegistryTest, RootsMapToTheirHives) {
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine,
                         RootKey::Users, RootKey::CurrentConfig}) {
        EXPECT_NE(reg.Open(root, ""), nullptr) << static_cast<int>(root);
    }
    EXPECT_EQ(reg.Open(static_cast<RootKey>(99), "Software"), nullptr);
    const auto current =
        reg.Open(RootKey::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion");
    ASSERT_NE(current, nullptr);
    const auto v = Win32Platform().System().Version();
    EXPECT_EQ(current->ReadString("CurrentVersion"), rb::Format("%u.%u", v.major, v.minor));
}

TEST(Win32Platform, IsTheDefaultPlatform) {
    EXPECT_NE(dynamic_cast<Win32Platform*>(&rb::platform::DefaultPlatform()), nullptr);
}

TEST(Win32Platform, SystemFacts) {
    Win32Platform p;
    const auto v = p.System().Version();
    EXPECT_EQ(v.platformId, 2u);  // Wine presents an NT system by default
    EXPECT_TRUE(v.extended);
    EXPECT_GE(v.major, 5u);
    EXPECT_NE(p.System().ComputerName(), "");
    EXPECT_NE(p.System().UserName(), "");
    const std::string temp = p.System().TempPath();
    ASSERT_GE(temp.size(), 3u);
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(p.Storage().DiskInDrive(temp.substr(0, 3)));
    EXPECT_FALSE(p.Storage().DiskInDrive("Q:\\"));
    const std::string exe = p.System().ModuleFileName();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_TRUE(rb::SameText(exe.substr(exe.size() - 4), ".exe")) << exe;
    EXPECT_NE(GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES) << exe;
    const auto env = p.System().EnvironmentStrings();
    const auto path = std::find_if(env.begin(), env.end(), [](const std::string& e) {
        return rb::StartsWithText(e, "PATH=");
    });
    ASSERT_NE(path, env.end());
    EXPECT_EQ(p.System().EnvironmentVariable("Path"), path->substr(5));
    EXPECT_EQ(p.System().EnvironmentVariable("RBINFO_NO_SUCH_VARIABLE"), "");
    const auto locale = p.System().Locale();
    EXPECT_NE(locale.decimalSeparator, '\0');
    EXPECT_NE(locale.shortDateFormat, "");
    EXPECT_NE(p.Shell().SpecialFolder(0), "");     // the desktop
    EXPECT_EQ(p.Shell().SpecialFolder(0x7F), "");  // no such folder
}

TEST(Win32Platform, NewGuidsAreRandomVersion4) {
    Win32Platform p;
    const auto a = p.System().NewGuid();
    const auto b = p.System().NewGuid();
    EXPECT_NE(a, b);
    EXPECT_EQ(a[7] >> 4, 4);  // Data3's version nibble, little-endian in memory
    EXPECT_EQ(a[8] & 0xC0, 0x80);
}

TEST(Win32LateBinding, FindsAndOwnsOnlyWhatItLoaded) {
    using win32::Library;
    const Library kernel = Library::Present("kernel32.dll");
    ASSERT_TRUE(kernel);
    EXPECT_FALSE(kernel.Owned());
    EXPECT_EQ(kernel.Handle(), GetModuleHandleA("kernel32.dll"));
    using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
    EXPECT_NE(kernel.Entry<SnapshotFn>("CreateToolhelp32Snapshot"), nullptr);
    EXPECT_EQ(kernel.Entry<SnapshotFn>("NoSuchFunctionAnywhere"), nullptr);
    EXPECT_EQ(win32::SystemEntry<SnapshotFn>("kernel32.dll", "NoSuchFunctionAnywhere"), nullptr);
    EXPECT_FALSE(Library::Load("rbinfo_no_such.dll"));
    EXPECT_FALSE(Library::Present("rbinfo_no_such.dll"));
    EXPECT_EQ(Library().Entry<SnapshotFn>("CreateToolhelp32Snapshot"), nullptr);

    // A library nothing else uses: loaded by the first object, borrowed by the second.
    ASSERT_EQ(GetModuleHandleA("cabinet.dll"), nullptr);
    EXPECT_FALSE(Library::Present("cabinet.dll"));
    Library loaded = Library::Load("cabinet.dll");
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded.Owned());
    {
        const Library borrowed = Library::Load("cabinet.dll");
        EXPECT_FALSE(borrowed.Owned());
    }
    EXPECT_NE(GetModuleHandleA("cabinet.dll"), nullptr);
    Library moved = std::move(loaded);
    EXPECT_NE(GetModuleHandleA("cabinet.dll"), nullptr);
    moved = Library();
    EXPECT_EQ(GetModuleHandleA("cabinet.dll"), nullptr);
}

TEST(Win32Platform, FileVersionInfoOnlyForFilesWithAResource) {
    Win32Platform p;
    const auto kernel = p.System().FileVersionInfo("kernel32.dll");
    ASSERT_TRUE(kernel.has_value());
    EXPECT_NE(kernel->parts[0] | kernel->parts[1] | kernel->parts[2] | kernel->parts[3], 0);
    EXPECT_EQ(p.System().FileVersionInfo("C:\\rbinfo_no_such.dll"), std::nullopt);
    const std::string plain = p.System().TempPath() + "rbinfo_plain.txt";
    if (FILE* f = std::fopen(plain.c_str(), "wb")) {
        std::fputs("sin recursos", f);
        std::fclose(f);
    }
    EXPECT_EQ(p.System().FileVersionInfo(plain), std::nullopt);
    DeleteFileA(plain.c_str());
}

// Writes a shortcut the way the shell does, for ResolveShortcut to read back.
HRESULT SaveShortcut(const std::string& file, const std::string& target, const char* args) {
    const win32::ComInit com;
    win32::ComRef<IShellLinkA> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.PutVoid());
    if (FAILED(hr)) return hr;
    link->SetPath(target.c_str());
    link->SetArguments(args);
    win32::ComRef<IPersistFile> persist;
    hr = link->QueryInterface(IID_IPersistFile, persist.PutVoid());
    if (FAILED(hr)) return hr;
    const std::wstring wide(file.begin(), file.end());  // ASCII path
    return persist->Save(wide.c_str(), TRUE);
}

TEST(Win32Platform, ResolveShortcutReadsTargetAndArguments) {
    Win32Platform p;
    const std::string lnk = p.System().TempPath() + "rbinfo_test.lnk";
    const std::string exe = p.System().ModuleFileName();
    ASSERT_EQ(SaveShortcut(lnk, exe, "/auto \"un archivo.rpg\""), S_OK);
    std::string target, arguments;
    EXPECT_EQ(p.Shell().ResolveShortcut(lnk, target, arguments), 0);
    EXPECT_TRUE(rb::SameText(target, exe)) << target;
    EXPECT_EQ(arguments, "/auto \"un archivo.rpg\"");
    DeleteFileA(lnk.c_str());

    target = "sin cambio";
    EXPECT_NE(p.Shell().ResolveShortcut(lnk, target, arguments), 0);
    EXPECT_EQ(target, "sin cambio");
}

}  // namespace
