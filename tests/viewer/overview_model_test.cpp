// The report viewer's decisions that need no window: page selection, filling order, number
// formats, check lists, report files and the start-up lookup.
#include "viewer/overview_model.h"

#include <gtest/gtest.h>

#include "core/exception.h"
#include "platform/sim/sim_platform.h"
#include "test_files.h"
#include "sysinfo/msystem_info.h"

namespace rb::viewer {
namespace {

using P = TProcessPage;

TEST(ViewerPages, MaskShowsSelectedTabsWithTheFirstActive) {
    struct Case {
        TProcessPages mask;
        std::vector<int> visible;
        int active;
    };
    const Case cases[] = {
        {{P::pgCPU, P::pgMem}, {2, 3}, 2},
        {{P::pgPerformance, P::pgTimeZone, P::pgKelto}, {12, 18}, 12},
        {TProcessPages::FromMask(kAllProcessPages), {}, 0},
        {TProcessPages::FromMask(0x80000), {}, -1},  // pgKelto has no page
    };
    for (const Case& c : cases) {
        const PageVisibility v = ApplyPageMask(c.mask);
        std::vector<int> shown;
        for (int p = 0; p < kPageCount; ++p) {
            if (v.visible[p]) shown.push_back(p);
        }
        if (c.mask.Mask() == kAllProcessPages) {
            EXPECT_EQ(shown.size(), size_t(kPageCount));
        } else {
            EXPECT_EQ(shown, c.visible) << std::hex << c.mask.Mask();
        }
        EXPECT_EQ(v.active, c.active) << std::hex << c.mask.Mask();
    }
    EXPECT_STREQ(kPages[2].caption, " CPU ");
    EXPECT_STREQ(kPages[18].caption, "Performance");
}

TEST(ViewerPages, FillOrderPutsPrintersAfterProcesses) {
    EXPECT_EQ(FillOrder(TProcessPages::FromMask(kAllProcessPages)),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 9, 14, 15, 16, 17, 18}));
    EXPECT_EQ(FillOrder({P::pgPrn, P::pgProcs, P::pgCPU}), (std::vector<int>{2, 13, 9}));
    EXPECT_EQ(FillOrder({P::pgPrn, P::pgDisk, P::pgStartup}), (std::vector<int>{11, 9, 14}));
    EXPECT_TRUE(FillOrder(TProcessPages{}).empty());
}

TEST(ViewerFormats, HashesLeaveZeroEmptyHashZeroWritesIt) {
    struct Case {
        int64_t value;
        char sep;
        const char* hashes;
        const char* hashZero;
    };
    const Case cases[] = {{0, ',', "", "0"},          {999, ',', "999", "999"},
                          {1000, '.', "1.000", "1.000"}, {536330240, ',', "536,330,240", "536,330,240"},
                          {-1234, ',', "-1,234", "-1,234"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatHashes(c.value, c.sep), c.hashes) << c.value;
        EXPECT_EQ(FormatHashZero(c.value, c.sep), c.hashZero) << c.value;
    }
}

TEST(ViewerChecks, NamedLinesCheckedByValueEmptyOnesLeftOut) {
    const StringList caps{"A=1", "B=0", "C=", "Terminal Services=1", "D=-2",
                          "Terminal Services=0"};
    EXPECT_EQ(CheckItemsFrom(caps, false),
              (std::vector<CheckItem>{{"A", true},
                                      {"B", false},
                                      {"Terminal Services", true},
                                      {"D", true},
                                      {"Terminal Services", true}}));
    EXPECT_EQ(CheckItemsFrom(caps, true).size(), 6u);
    EXPECT_EQ(CheckItemsFrom(StringList{"1024 x 768 - 32 bit"}, true),
              (std::vector<CheckItem>{{"1024 x 768 - 32 bit", true}}));
    try {
        CheckItemsFrom(StringList{"A=1", "B=sí"}, false);
        FAIL() << "a value that is not a number must stop the filling";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'sí' is not a valid integer value");
    }
}

TEST(ViewerReports, TopicFilesAndReports) {
    EXPECT_EQ(TopicFileName(" CPU "), "CPU.txt");
    EXPECT_EQ(TopicFileName("Windows XP Professional"), "Windows XP Professional.txt");
    platform::SimPlatform sim;
    platform::ScopedPlatform scope(sim);
    TMSystemInfo info;
    info.ErrorList->Add("TX.GetInfo: fallo");
    for (int page : {16, 17, 18}) {
        StringList list;
        TopicReport(info, page, list);
        EXPECT_EQ(list.Count(), 0) << page;
    }
    StringList zone, expected;
    TopicReport(info, 12, zone);
    info.OS->TimeZone->Report(expected);
    EXPECT_EQ(zone.Lines(), expected.Lines());
    StringList machine;
    TopicReport(info, 0, machine);
    EXPECT_EQ(machine[0], "[Machine]");

    TempDir dir;
    SaveReportFile(StringList{"[Machine]", "Name=PEÑA"}, dir.File("r.txt"));
    EXPECT_EQ(ReadBytes(dir.File("r.txt")), "[Machine]\r\nName=PEÑA\r\n");
    try {
        SaveReportFile(machine, dir.File("no/such/folder.txt"));
        FAIL() << "a file that cannot be created must raise";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + dir.File("no/such/folder.txt") + "\"", 0), 0u)
            << e.what();
    }
}

TEST(ViewerStartup, LookupTakesTheFileNameOfTheCommandLine) {
    struct Case {
        const char* line;
        const char* url;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\system32\\ctfmon.exe", "http://h/wso/search.php?filename=ctfmon.exe"},
        {"\"C:\\Archivos de programa\\A B\\smax4.exe\" /tray",
         "http://h/wso/search.php?filename=smax4.exe"},
        {"C:\\Util\\", ""},
        {"", ""},
        {"programa número.exe", "http://h/wso/search.php?filename=programa%20n%FAmero.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(StartupLookupUrl("http://h", c.line), c.url) << c.line;

    platform::SimPlatform sim;
    platform::ScopedPlatform scope(sim);
    sim.system.environment.push_back("RBINFO_LOOKUP_HOST=http://localhost:1");
    EXPECT_EQ(LookupHost(), "http://localhost:1");
}

}  // namespace
}  // namespace rb::viewer
