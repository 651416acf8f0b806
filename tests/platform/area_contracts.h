// What the system, storage and processes areas must answer on any machine, checked against the
// simulation (filled like a small machine) and, under Wine, against the real calls. The checks
// are relations between answers, since the values themselves differ from machine to machine.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/text.h"
#include "platform/platform.h"

namespace rbtest {

inline void CheckSystemContract(rb::platform::SystemArea& s) {
    const rb::platform::OsVersion v = s.Version();
    EXPECT_LE(v.platformId, 2u);
    EXPECT_GE(v.major, 4u);
    const std::string temp = s.TempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_FALSE(s.WindowsDirectory().empty());
    EXPECT_TRUE(rb::StartsWithText(s.SystemDirectory(), s.WindowsDirectory()));
    EXPECT_NE(s.ComputerName(), "");

    // Every environment entry reads back through the single-variable question.
    const auto env = s.EnvironmentStrings();
    for (const std::string& entry : env) {
        const size_t eq = entry.find('=', 1);
        if (eq == std::string::npos) continue;
        EXPECT_EQ(s.EnvironmentVariable(entry.substr(0, eq)), entry.substr(eq + 1)) << entry;
    }
    EXPECT_EQ(s.EnvironmentVariable("RBINFO_NO_SUCH_VARIABLE"), "");

    // Memory: the free part never exceeds the whole; both calls agree on the physical total
    // below 2 GB (where a 32-bit program sees all of it).
    const rb::platform::MemoryStatus basic = s.GlobalMemory();
    EXPECT_LE(basic.availPhys, basic.totalPhys);
    EXPECT_LE(basic.memoryLoad, 100u);
    if (const auto ex = s.GlobalMemoryEx()) {
        EXPECT_LE(ex->availPhys, ex->totalPhys);
        EXPECT_LE(ex->availVirtual, ex->totalVirtual);
        if (ex->totalPhys < 0x7FFFFFFFull) EXPECT_EQ(ex->totalPhys, basic.totalPhys);
    }
    const rb::platform::AddressSpaceInfo space = s.AddressSpace();
    EXPECT_NE(space.pageSize, 0u);
    EXPECT_EQ(space.pageSize & (space.pageSize - 1), 0u);  // a power of two
    EXPECT_LT(space.minimumApplicationAddress, space.maximumApplicationAddress);

    const rb::platform::TimeZoneInfo zone = s.TimeZone();
    EXPECT_LE(zone.state, 2u);
    EXPECT_GT(s.Now(), 36526.0);  // after 1 January 2000

    // Outside the BIOS area, or past its end, nothing is read on any system.
    EXPECT_EQ(s.ReadBiosArea(0x1000, 16), std::nullopt);
    EXPECT_EQ(s.ReadBiosArea(0xFFFF0, 0x20), std::nullopt);

    const auto a = s.NewGuid();
    EXPECT_NE(a, s.NewGuid());
    EXPECT_EQ(s.FileVersionInfo("C:\\rbinfo_no_such.dll"), std::nullopt);
}

// `fixed` is a root that exists on the machine with a medium in it.
inline void CheckStorageContract(rb::platform::StorageArea& s, const std::string& fixed) {
    const auto roots = s.DriveStrings();
    ASSERT_FALSE(roots.empty());
    EXPECT_NE(std::find_if(roots.begin(), roots.end(),
                           [&](const std::string& r) { return rb::SameText(r, fixed); }),
              roots.end());
    for (const std::string& root : roots) {
        SCOPED_TRACE(root);
        ASSERT_EQ(root.size(), 3u);
        EXPECT_EQ(root.substr(1), ":\\");
        EXPECT_LE(s.DriveKind(root), 6u);
        EXPECT_GE(s.DriveKind(root), 2u);  // a listed root has a root directory
        // The medium test and the free-space question agree; a volume needs a medium.
        const auto space = s.FreeSpace(root);
        EXPECT_EQ(s.DiskInDrive(root), space.has_value());
        if (!space) EXPECT_EQ(s.Volume(root), std::nullopt);
        if (space && space->totalBytes) EXPECT_LE(*space->freeBytes, *space->totalBytes);
    }
    EXPECT_EQ(s.DriveKind("Q:\\"), 1u);
    EXPECT_FALSE(s.DiskInDrive("Q:\\"));
    EXPECT_EQ(s.FreeSpace("Q:\\"), std::nullopt);

    const auto space = s.FreeSpace(fixed);
    ASSERT_TRUE(space.has_value());
    EXPECT_NE(space->bytesPerSector, 0u);
    EXPECT_LE(space->freeClusters, space->totalClusters);
    EXPECT_TRUE(s.Volume(fixed).has_value());
    EXPECT_EQ(s.UniversalName(fixed), std::nullopt);  // a local disk has no network name
    // A connected resource names a drive and its server's share.
    for (const rb::platform::ConnectedResource& r : s.ConnectedDiskResources()) {
        EXPECT_EQ(r.remoteName.substr(0, 2), "\\\\") << r.localName;
    }
}

// The screen is a raster display of some size; its modes are numbered from 0 without gaps and
// the list ends.
inline void CheckDisplayContract(rb::platform::DisplayArea& d) {
    EXPECT_GT(d.ScreenCapability(8).value_or(0), 0);    // HORZRES
    EXPECT_GT(d.ScreenCapability(10).value_or(0), 0);   // VERTRES
    EXPECT_EQ(d.ScreenCapability(2).value_or(-1), 1);   // TECHNOLOGY: raster display
    const int bits = d.ScreenCapability(12).value_or(0);  // BITSPIXEL
    EXPECT_TRUE(bits >= 1 && bits <= 32) << bits;
    uint32_t count = 0;
    while (const auto mode = d.Mode(count)) {
        EXPECT_GT(mode->width, 0u);
        EXPECT_GT(mode->height, 0u);
        EXPECT_GT(mode->bitsPerPixel, 0u);
        if (++count > 5000) break;
    }
    EXPECT_GT(count, 0u);
    EXPECT_LE(count, 5000u);
}

// `self` is the running program's process and `exe` its full path.
inline void CheckProcessesContract(rb::platform::ProcessesArea& p, uint32_t self,
                                   const std::string& exe) {
    const std::string name = exe.substr(exe.find_last_of('\\') + 1);
    constexpr uint32_t kNoSuchProcess = 0xFFFFFFF0;
    const bool psapi = p.PsapiAvailable();
    ASSERT_TRUE(psapi || p.ToolHelpAvailable());  // every family has one of the two
    if (psapi) {
        const auto ids = p.ProcessIds(1025);
        ASSERT_TRUE(ids.has_value());
        EXPECT_NE(std::find(ids->begin(), ids->end(), self), ids->end());
        EXPECT_LE(p.ProcessIds(1)->size(), 1u);  // never more than asked for
        EXPECT_TRUE(rb::SameText(p.ModuleName(self, true), exe)) << p.ModuleName(self, true);
        EXPECT_TRUE(rb::SameText(p.ModuleName(self, false), name));
    } else {
        EXPECT_EQ(p.ProcessIds(1025), std::nullopt);
        EXPECT_EQ(p.ModuleName(self, true), "");
    }
    EXPECT_EQ(p.ModuleName(kNoSuchProcess, true), "");
    if (const auto entries = p.Snapshot()) {
        const auto own = std::find_if(entries->begin(), entries->end(),
                                      [&](const auto& e) { return e.processId == self; });
        ASSERT_NE(own, entries->end());
        const std::string& file = own->exeFile;  // a name on NT, a full path on 95/98/ME
        EXPECT_TRUE(file.size() >= name.size() &&
                    rb::SameText(file.substr(file.size() - name.size()), name))
            << file;
    } else {
        EXPECT_FALSE(p.ToolHelpAvailable());
    }
    if (const auto image = p.FullImageName(self)) EXPECT_TRUE(rb::SameText(*image, exe));
    EXPECT_EQ(p.FullImageName(kNoSuchProcess), std::nullopt);
    EXPECT_EQ(p.IsWow64(kNoSuchProcess), std::nullopt);
    // Letting the library go at program end does not stop a later question.
    p.ReleaseLibraries();
    EXPECT_EQ(p.PsapiAvailable(), psapi);
}

}  // namespace rbtest
