#include "sysinfo/msystem_info.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "sysinfo/device_tree_sim.h"

namespace rb {
namespace {

// Records the events of a refresh.
struct Recorder {
    std::vector<int32_t> starts;
    std::vector<std::pair<std::string, int32_t>> steps;

    void Attach(TMSystemInfo& info) {
        info.OnStarts.Assign([this](Persistent*, int32_t n) { starts.push_back(n); });
        info.OnCompleteProcess.Assign(
            [this](Persistent*, const std::string& name, int32_t n) { steps.emplace_back(name, n); });
    }
};

class AggregateTest : public ::testing::Test {
protected:
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TMSystemInfo info;
    Recorder rec;

    void SetUp() override {
        testing_hw::AddDisplayAdapter(sim);
        // A recordset that filters, so that the engines step has nothing to record.
        sim.automation.classes["ADODB.Recordset"] = {
            "{00000535}",
            {{"Fields.Append", std::monostate{}}, {"Open", std::monostate{}}, {"Filter", std::string()}}};
        rec.Attach(info);
    }
    void RefreshWith(uint32_t mask) {
        info.ProcessList = TProcessPages::FromMask(mask);
        info.Refresh();
    }
};

TEST_F(AggregateTest, PagesWithoutStepsAreCountedButGatherNothing) {
    struct Case {
        uint32_t mask;
        int32_t count;
    };
    const Case cases[] = {{0, 0}, {0x01000, 1}, {0x10000, 1}, {0x40000, 0}, {0x80000, 1}};
    for (const Case& c : cases) {
        rec = Recorder{};
        RefreshWith(c.mask);
        EXPECT_EQ(rec.starts, std::vector<int32_t>{c.count}) << std::hex << c.mask;
        EXPECT_TRUE(rec.steps.empty()) << std::hex << c.mask;
        EXPECT_EQ(info.PerformanceInfo->Count(), 0) << std::hex << c.mask;
    }
}

TEST_F(AggregateTest, EnginesPageRunsTwoStepsButCountsOnce) {
    RefreshWith(0x00400);
    EXPECT_EQ(rec.starts, std::vector<int32_t>{1});
    const std::vector<std::pair<std::string, int32_t>> expected = {{"Motores", 1}, {"DirectX", 2}};
    EXPECT_EQ(rec.steps, expected);
}

TEST_F(AggregateTest, DefaultMaskRunsSeventeenStepsInFixedOrder) {
    RefreshWith(kAllProcessPages);
    EXPECT_EQ(rec.starts, std::vector<int32_t>{19});
    const std::vector<std::string> order = {
        "CPU",   "Sistema Operativo", "Memoria",  "Computadora", "Dispositivos", "Discos",
        "Red",   "Visualizadores",    "Media",    "Motores",     "DirectX",      "APM",
        "Procesos", "Impresoras",     "Software", "Inicio",      "Servicios"};
    ASSERT_EQ(rec.steps.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(rec.steps[i].first, order[i]);
        EXPECT_EQ(rec.steps[i].second, static_cast<int32_t>(i + 1));
    }
    ASSERT_EQ(info.PerformanceInfo->Count(), 17);
    EXPECT_EQ(info.PerformanceInfo->ItemAs<TPerformanceItem>(16).TestName, "Servicios");
    EXPECT_EQ(info.ProcessList.Mask(), kAllProcessPages);
}

TEST_F(AggregateTest, FirstEditionsOf95And98DropTheServicesPageForGood) {
    for (const auto& version : {platform::SimSystem::Windows95(),
                                platform::OsVersion{4, 10, 1998, 1, "", false}}) {
        sim.system.version = version;
        platform::ScopedPlatform again(sim);  // facts are computed anew for the new system
        rec = Recorder{};
        RefreshWith(kAllProcessPages);
        EXPECT_EQ(rec.starts, std::vector<int32_t>{18});
        EXPECT_EQ(rec.steps.size(), 16u);
        EXPECT_EQ(rec.steps.back().first, "Inicio");
        EXPECT_EQ(info.ProcessList.Mask(), 0xDFFFFu);
    }
    sim.system.version = platform::SimSystem::Windows98SE();
    platform::ScopedPlatform se(sim);
    RefreshWith(kAllProcessPages);
    EXPECT_EQ(info.ProcessList.Mask(), kAllProcessPages);
}

TEST_F(AggregateTest, TimingsMeasureFromThePreviousMarkAcrossATickWrap) {
    sim.system.tickCount = 0xFFFFFFF0u;
    sim.system.tickStep = 0x10;  // every reading of the clock moves it on
    TMSystemInfo quiet;   // no handlers: the timings are still kept
    quiet.ProcessList = TProcessPages::FromMask(0x00004 | 0x00002);
    quiet.Refresh();
    ASSERT_EQ(quiet.PerformanceInfo->Count(), 2);
    EXPECT_EQ(quiet.PerformanceInfo->ItemAs<TPerformanceItem>(0).TestName, "CPU");
    EXPECT_EQ(quiet.PerformanceInfo->ItemAs<TPerformanceItem>(0).TimeElapsed, 0x10u);
    EXPECT_EQ(quiet.PerformanceInfo->ItemAs<TPerformanceItem>(1).TimeElapsed, 0x10u);
    EXPECT_EQ(quiet.PerformanceInfo->StartingTick, 0x30u);
}

// A machine section whose gathering fails the way sections do: recorded, not raised.
class FailingMachine : public TMachine {
public:
    using TMachine::TMachine;
    void GetInfo() override {
        GatherGuarded(ErrorList(), "TMachine.GetInfo: ",
                      [] { throw Exception("acceso denegado"); });
    }
};

// A display section that finds no adapter: the one section that lets its error out.
class NoAdapterDisplays : public TDisplays {
public:
    using TDisplays::TDisplays;
    void GetInfo() override { throw Exception("No se encontró un adaptador de video válido"); }
};

TEST_F(AggregateTest, AFailingSectionIsRecordedAndTheNextOneStillRuns) {
    info.Machine = std::make_unique<FailingMachine>(info.ErrorList.get());
    info.ErrorList->Add("earlier");
    RefreshWith(kAllProcessPages);
    EXPECT_EQ(rec.steps.size(), 17u);
    ASSERT_EQ(info.ErrorList->Count(), 2);  // never cleared by the aggregate
    EXPECT_EQ(info.ErrorList->Get(1), "TMachine.GetInfo: acceso denegado");
}

// A machine section whose gathering meets a standard-library error (or runs out of memory).
class StdFailingMachine : public TMachine {
public:
    StdFailingMachine(TStringCollection* errors, std::function<void()> fault)
        : TMachine(errors), fault_(std::move(fault)) {}
    void GetInfo() override { GatherGuarded(ErrorList(), "TMachine.GetInfo: ", fault_); }

private:
    std::function<void()> fault_;
};

TEST_F(AggregateTest, StandardErrorsInASectionAreRecordedLikeTheFrameworksOwn) {
    struct Case {
        std::function<void()> fault;
        const char* line;
    };
    const Case cases[] = {
        {[] { (void)std::vector<int>{1, 2}.at(2); }, nullptr},  // the library's own text
        {[] { (void)std::stoi("n/d"); }, "TMachine.GetInfo: stoi"},
        {[] { throw std::out_of_range("índice 7"); }, "TMachine.GetInfo: índice 7"},
        {[] { throw std::runtime_error("sin datos"); }, "TMachine.GetInfo: sin datos"},
    };
    for (const Case& c : cases) {
        TMSystemInfo fresh;
        rec = Recorder{};
        rec.Attach(fresh);
        fresh.Machine = std::make_unique<StdFailingMachine>(fresh.ErrorList.get(), c.fault);
        fresh.ProcessList = TProcessPages::FromMask(kAllProcessPages);
        ASSERT_NO_THROW(fresh.Refresh());
        EXPECT_EQ(rec.steps.size(), 17u);  // the later sections are still gathered
        ASSERT_EQ(fresh.ErrorList->Count(), 1);
        const std::string line = fresh.ErrorList->Get(0);
        if (c.line) {
            EXPECT_EQ(line, c.line);
        } else {
            EXPECT_EQ(line.rfind("TMachine.GetInfo: ", 0), 0u) << line;
            EXPECT_GT(line.size(), std::string("TMachine.GetInfo: ").size());
        }
    }
    // Running out of memory still ends the refresh, at the failing section.
    rec = Recorder{};
    info.Machine = std::make_unique<StdFailingMachine>(info.ErrorList.get(),
                                                       [] { throw std::bad_alloc(); });
    info.ProcessList = TProcessPages::FromMask(kAllProcessPages);
    EXPECT_THROW(info.Refresh(), std::bad_alloc);
    EXPECT_EQ(rec.steps.size(), 3u);  // CPU, OS and memory came before the machine
    EXPECT_EQ(info.ErrorList->Count(), 0);
}

TEST_F(AggregateTest, MissingDisplayAdapterEndsTheRefreshAfterTheNetworkStep) {
    info.Displays = std::make_unique<NoAdapterDisplays>(info.ErrorList.get(), info.Devices.get());
    info.ProcessList = TProcessPages::FromMask(kAllProcessPages);
    try {
        info.Refresh();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "No se encontró un adaptador de video válido");
    }
    ASSERT_EQ(rec.steps.size(), 7u);
    EXPECT_EQ(rec.steps.back().first, "Red");
    EXPECT_EQ(info.PerformanceInfo->Count(), 7);
}

TEST_F(AggregateTest, PublishedPropertiesFollowTheDocumentOrder) {
    const std::vector<std::string> names = {
        "Name",     "Tag",       "CPU",     "Memory",   "OS",       "Disks",
        "Machine",  "Displays",  "Media",   "Devices",  "Engines",  "APM",
        "DirectX",  "Processes", "Printers", "Software", "Startup", "Services",
        "Network",  "PerformanceInfo", "ErrorList", "ProcessList"};
    const auto& props = TMSystemInfo::StaticClass().Properties();
    ASSERT_EQ(props.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(props[i].name, names[i]);
    EXPECT_EQ(GetObjectProp(info, "devices"), info.Devices.get());
    EXPECT_EQ(GetOrdProp(info, "ProcessList"), 0xFFFFF);
    EXPECT_STREQ(props.back().typeName, "TProcessPages");
    EXPECT_EQ(info.Network->Devices(), info.Devices.get());
    EXPECT_EQ(info.Media->Devices(), info.Devices.get());
}

TEST_F(AggregateTest, ReportRunsInItsOwnOrderAndAppends) {
    StringList list{"kept"};
    info.Report(list);
    EXPECT_EQ(list[0], "kept");
    std::vector<std::string> headings;
    for (const std::string& line : list.Lines()) {
        if (!line.empty() && line[0] == '[') headings.push_back(line);
    }
    ASSERT_GE(headings.size(), 4u);
    EXPECT_EQ(headings[0], "[Machine]");
    EXPECT_EQ(headings[1], "[Operating System]");
    EXPECT_EQ(headings.back(), "[Performance]");
    // Every section's own report, whole, in the report's order.
    StringList expected{"kept"};
    InfoSection* const order[] = {
        info.Machine.get(),   info.OS.get(),        info.CPU.get(),       info.Memory.get(),
        info.Displays.get(),  info.APM.get(),       info.Media.get(),     info.Network.get(),
        info.Devices.get(),   info.Engines.get(),   info.DirectX.get(),   info.Disks.get(),
        info.Processes.get(), info.Printers.get(),  info.Software.get(),  info.Startup.get(),
        info.Services.get(),  info.PerformanceInfo.get()};
    for (InfoSection* section : order) section->Report(expected);
    EXPECT_EQ(list.Lines(), expected.Lines());
}

TEST(PerformanceInfo, ReportListsEachStep) {
    TPerformanceInfo perf;
    perf.Add("CPU", 15);
    perf.Add("Red", 3000000000u);
    StringList list;
    perf.Report(list);
    EXPECT_EQ(list.Text(),
              "[Performance]\r\nProceso: CPU - Tiempo msec: 15\r\n"
              "Proceso: Red - Tiempo msec: 3000000000\r\n");
}

}  // namespace
}  // namespace rb
