// The real platform's answers that matter on current Windows, under Wine: the kernel's version
// record, the indirect-string loader, the file test, a shortcut's own text and the message box
// that closes by itself.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "app/app_resources.h"
#include "core/text.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/platform_win32.h"

namespace {

using rb::platform::Win32Platform;
namespace win32 = rb::platform::win32;

// Sets (or, with nullptr, removes) an environment variable of the process for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        char old[1024];
        const DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
        had_ = n > 0 && n < sizeof old;
        if (had_) old_ = old;
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// This test program has no manifest: from Windows 8.1 on (Wine set to Windows 10 included) the
// version call answers 6.2; the kernel's record has the configured system's own numbers.
TEST(CurrentWindows, TheKernelRecordsTheSystemsOwnVersion) {
    Win32Platform p;
    const auto kernel = p.System().KernelVersion();
    ASSERT_TRUE(kernel);
    const rb::platform::OsVersion told = p.System().Version();
    EXPECT_EQ(kernel->platformId, told.platformId);
    EXPECT_GE(kernel->major * 100 + kernel->minor, told.major * 100 + told.minor);
    if (kernel->major < 6 || (kernel->major == 6 && kernel->minor < 2)) {
        EXPECT_EQ(kernel->build, told.build);  // before Windows 8 both agree
    }
    // A run as Windows 10 says so (the script that sets the version): the kernel has 10.0 and
    // a build of its own while this program is told Windows 8's numbers.
    char expected[16];
    if (GetEnvironmentVariableA("RB_EXPECTED_WINDOWS", expected, sizeof expected) > 0) {
        EXPECT_EQ(std::to_string(kernel->major) + "." + std::to_string(kernel->minor), expected);
        EXPECT_GE(kernel->build, 10240u);
        EXPECT_EQ(std::to_string(told.major) + "." + std::to_string(told.minor) + "." +
                      std::to_string(told.build),
                  "6.2.9200");
    }
}

TEST(CurrentWindows, IndirectStringsLoadTheNamedResource) {
    Win32Platform p;
    const std::string program = p.System().ModuleFileName();
    const std::string id = ",-" + std::to_string(IDS_APPLICATION_TITLE);
    EXPECT_EQ(p.Shell().IndirectString("@" + program + id), "Información de su computadora");
    const size_t slash = program.rfind('\\');
    ASSERT_NE(slash, std::string::npos);
    const ScopedVariable folder("RBINFO_TEST_FOLDER", program.substr(0, slash).c_str());
    EXPECT_EQ(p.Shell().IndirectString("@%RBINFO_TEST_FOLDER%" + program.substr(slash) + id),
              "Información de su computadora");
    EXPECT_EQ(p.Shell().IndirectString("@" + program + ",-9999"), "");  // no such string
    EXPECT_EQ(p.Shell().IndirectString("@C:\\no\\existe.dll" + id), "");
}

TEST(CurrentWindows, FileExistsTellsFilesFromFoldersAndNothing) {
    Win32Platform p;
    EXPECT_TRUE(p.Storage().FileExists(p.System().ModuleFileName()));
    EXPECT_FALSE(p.Storage().FileExists(p.System().WindowsDirectory()));
    EXPECT_FALSE(p.Storage().FileExists(p.System().WindowsDirectory() + "\\no_existe.exe"));
}

TEST(CurrentWindows, AShortcutsOwnTextNamesItsTarget) {
    Win32Platform p;
    const std::string lnk = p.System().TempPath() + "rbinfo_texto.lnk";
    const std::string exe = p.System().ModuleFileName();
    {
        const win32::ComInit com;
        win32::ComRef<IShellLinkA> link;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   link.PutVoid()),
                  S_OK);
        link->SetPath(exe.c_str());
        win32::ComRef<IPersistFile> persist;
        ASSERT_EQ(link->QueryInterface(IID_IPersistFile, persist.PutVoid()), S_OK);
        const std::wstring wide(lnk.begin(), lnk.end());  // ASCII path
        ASSERT_EQ(persist->Save(wide.c_str(), TRUE), S_OK);
    }
    EXPECT_TRUE(rb::SameText(p.Shell().ShortcutLinkText(lnk), exe))
        << p.Shell().ShortcutLinkText(lnk);
    DeleteFileA(lnk.c_str());
    EXPECT_EQ(p.Shell().ShortcutLinkText(lnk), "");
}

// A box of an unattended run: shown (under Xvfb), answered by its own timer.
TEST(CurrentWindows, ABoxClosesByItselfAfterItsTime) {
    char display[256];
    if (GetEnvironmentVariableA("DISPLAY", display, sizeof display) == 0) {
        GTEST_SKIP() << "no display: message boxes answer at once";
    }
    const ScopedVariable shown("RBINFO_MESSAGE_LOG", nullptr);
    Win32Platform p;
    EXPECT_EQ(
        p.Windows().ShowMessageClosingAfter("Se cierra sola.", "rbInfo (prueba)", MB_ICONERROR, 1),
        IDOK);
}

}  // namespace
