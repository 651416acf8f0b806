// rbInfo.exe carries its version information and its manifest (compiled by windres).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

std::string VersionText(const std::vector<char>& block, const char* name) {
    const std::string path = std::string("\\StringFileInfo\\0C0A04E4\\") + name;
    char* text = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &size)) {
        return "(missing)";
    }
    return std::string(text, size > 0 ? size - 1 : 0);
}

TEST(ProgramResources, VersionInformationAndManifest) {
    const char* const file = RB_PROGRAM_FILE;  // a Unix path: Wine takes it on drive Z:
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
    ASSERT_GT(size, 0u) << file;
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(file, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    const std::string version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(version, RB_PROGRAM_VERSION);
    EXPECT_EQ(VersionText(block, "CompanyName"), "Kelto");
    EXPECT_EQ(VersionText(block, "ProductName"), "rbInfo");
    EXPECT_EQ(VersionText(block, "FileDescription"), "Información de su computadora");
    EXPECT_EQ(VersionText(block, "FileVersion"), RB_PROGRAM_VERSION);

    HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(data, SizeofResource(module, found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    // The systems it is made for, Vista to Windows 10 and 11: without them current Windows
    // answer its version queries as Windows 8 does.
    for (const char* system : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                               "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                               "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                               "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + system + "\"/>"),
                  std::string::npos)
            << system;
    }
    FreeLibrary(module);
}

}  // namespace
