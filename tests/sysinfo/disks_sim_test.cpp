// The disks section over simulated drives: the walk and its order, empty and failing drives,
// the space fallback, volume decoding, the network expansion of both families and the report.
#include <gtest/gtest.h>

#include "core/exception.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/routines_text.h"
#include "sysinfo/si_disk.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::DiskSpace;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimStorage;
using platform::SimSystem;
using platform::VolumeData;

SimStorage::Drive Fixed(uint32_t serial, uint32_t component = 255) {
    SimStorage::Drive d;
    d.space = DiskSpace{8, 512, 1000, 5000, 4096000, 20480000};
    d.volume = VolumeData{"SISTEMA", "NTFS", serial, component, 0x2 | 0x4 | 0x20};
    return d;
}

class DisksTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TDisks disks{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        disks.GetInfo();
    }
};

TEST_F(DisksTest, AnEmptyFloppyAFixedDiskAndACdInOrder) {
    SimStorage::Drive floppy;
    floppy.kind = 2;
    sim.storage.drives["A:\\"] = floppy;
    sim.storage.drives["C:\\"] = Fixed(0x0001ABCD);
    SimStorage::Drive cd;
    cd.kind = 5;
    cd.space = DiskSpace{1, 2048, 0, 300, std::nullopt, std::nullopt};  // no 64-bit call
    cd.volume = VolumeData{"", "CDFS", 0x1A2B3C4D, 110, 0};
    sim.storage.drives["d:\\"] = cd;
    Gather();

    ASSERT_EQ(disks.Count(), 3);
    EXPECT_EQ(errors.Count(), 0);
    const TDisk& a = *disks.FindDisk("A:");
    EXPECT_EQ(a.Index(), 0);
    EXPECT_EQ(a.MediaType, TMediaType::dtRemovable);
    EXPECT_FALSE(a.MediaPresent);
    EXPECT_EQ(a.Capacity, 0);
    EXPECT_EQ(a.SerialNumber, "");
    EXPECT_TRUE(a.FileFlags.Empty());
    const TDisk& c = *disks.FindDisk("C:");
    EXPECT_TRUE(c.MediaPresent);
    EXPECT_EQ(c.SerialNumber, "0001-ABCD");
    EXPECT_EQ(c.Capacity, 20480000);
    EXPECT_EQ(c.FreeSpace, 4096000);
    EXPECT_EQ(c.FileSystem, "NTFS");
    const TDisk& d = *disks.FindDisk("D:");
    EXPECT_EQ(d.Index(), 2);
    EXPECT_EQ(d.MediaType, TMediaType::dtCDROM);
    EXPECT_EQ(d.SerialNumber, "1A2B-3C4D");
    EXPECT_EQ(d.VolumeLabel, "");
    EXPECT_EQ(d.Capacity, int64_t{2048} * 300);  // the cluster product
    EXPECT_EQ(disks.FindDisk("d:"), nullptr);    // the find is exact
}

TEST(DiskDecoding, LongNamesOnlyAtExactly255AndFlagsByBit) {
    for (const uint32_t length : {254u, 255u, 256u}) {
        EXPECT_EQ(FileFlagsFrom(0, length).Contains(TFileFlag::fsLongFileNames), length == 255)
            << length;
    }
    const TFileFlags flags = FileFlagsFrom(0x1 | 0x8000 | 0x20000 | 0x20, 0);
    EXPECT_EQ(flags, TFileFlags({TFileFlag::fsCaseSensitive, TFileFlag::fsVolumeIsCompressed,
                                 TFileFlag::fsEncryptedFileSystemSupport,
                                 TFileFlag::fsDiskQuotasSupport}));
    EXPECT_EQ(SerialText(0xFFFFFFFF), "FFFF-FFFF");
    EXPECT_EQ(SerialText(0), "0000-0000");
    EXPECT_EQ(GroupedNumber(1234567, '.'), "1.234.567");
    EXPECT_EQ(GroupedNumber(999, '.'), "999");
}

// A drive whose question raises is recorded; the drives after it are still listed.
TEST_F(DisksTest, AFailingDriveDoesNotStopTheWalk) {
    struct FailingStorage : SimStorage {
        std::optional<VolumeData> Volume(std::string_view root) override {
            if (root == "E:\\") throw Exception("unidad rota");
            return SimStorage::Volume(root);
        }
    };
    struct Sim : SimPlatform {
        FailingStorage failing;
        platform::StorageArea& Storage() override { return failing; }
    } failSim;
    failSim.failing.drives["C:\\"] = Fixed(1);
    failSim.failing.drives["E:\\"] = Fixed(2);
    failSim.failing.drives["F:\\"] = Fixed(3);
    ScopedPlatform scope(failSim);
    disks.GetInfo();
    ASSERT_EQ(disks.Count(), 3);
    ASSERT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.Get(0), "TDisk.SetDisk: unidad rota");
    EXPECT_EQ(disks.FindDisk("F:")->SerialNumber, "0000-0003");
}

TEST_F(DisksTest, NetworkDrivesExpandByFamily) {
    struct Row {
        platform::OsVersion version;
        std::string expected;
    };
    for (const Row& row : {Row{SimSystem::WindowsXP(), "\\\\srv\\datos\\trabajo"},
                           Row{SimSystem::Windows98SE(), "\\\\srv98\\datos\\trabajo"}}) {
        SimPlatform s;
        s.system.version = row.version;
        SimStorage::Drive net = Fixed(7);
        net.kind = 4;
        net.universalName = "\\\\srv\\datos";
        s.storage.drives["G:\\"] = net;
        s.storage.drives["C:\\"] = Fixed(1);
        s.storage.fullPathNames["G:"] = "G:\\trabajo";
        s.storage.fullPathNames["C:"] = "C:\\WINDOWS";
        s.storage.connected = {{"H:", "\\\\otro\\x"}, {"g:", "\\\\srv98\\datos"}};
        ScopedPlatform scope(s);
        disks.GetInfo();
        EXPECT_EQ(disks.FindDisk("G:")->UNCExpand, row.expected);
        EXPECT_EQ(disks.FindDisk("C:")->UNCExpand, "C:\\WINDOWS");  // a local drive
    }
}

TEST_F(DisksTest, ReportUsesTheUsersThousandsSeparator) {
    sim.storage.drives["C:\\"] = Fixed(0x12345678, 255);
    sim.system.locale.thousandSeparator = '.';
    StringList report;
    {
        ScopedPlatform scope(sim);
        disks.GetInfo();
        disks.Report(report);
    }
    EXPECT_EQ(report[0], "[Disks]");
    EXPECT_EQ(report[1], "[DiskC:]");
    EXPECT_EQ(report.Values("Type"), "Fijo");
    EXPECT_EQ(report.Values("SerialNumber"), "1234-5678");
    EXPECT_EQ(report.Values("Capacity"), "20.480.000");
    EXPECT_EQ(report.Values("FreeClusters"), "1.000");
    EXPECT_EQ(report.Values("BytesPerSector"), "512");
    EXPECT_EQ(report[12], "[DiskC:_Flags]");
    EXPECT_EQ(report.Values("Case Is Preserved"), "1");
    EXPECT_EQ(report.Values("Case Sensitive"), "0");
    EXPECT_EQ(report.Values("Long Filenames"), "1");
    EXPECT_EQ(report.Values("Disk Quotas Support"), "1");
    EXPECT_EQ(report.Count(), 25);
}

}  // namespace
}  // namespace rb
