// The clock measurement against scripted counters: the arithmetic of each step, when the trials
// stop, the thread priority around each trial, and counters that cannot time anything.
#include "sysinfo/cpu_frequency.h"

#include <gtest/gtest.h>

#include "core/exception.h"
#include "platform/sim/sim_processor.h"

namespace {

using namespace rb::cpu;
using rb::platform::SimProcessor;

constexpr int kTimeCritical = 15;

TEST(CpuFrequency, SnapsToTheNearestStandardEnding) {
    const std::pair<int64_t, int64_t> cases[] = {
        {498, 500}, {733, 733},   {866, 866}, {1004, 1000}, {199, 200},   {332, 333},
        {349, 350}, {1413, 1420}, {0, 0},     {10, 20},  // a tie goes up
        {26, 20},   {27, 33},     {41, 33},   {42, 50},     {55, 60},     {63, 66},
        {72, 66},   {73, 80},     {85, 90},   {95, 100},    {2599, 2600}, {1999, 2000},
    };
    for (const auto& [raw, snapped] : cases) EXPECT_EQ(SnapFrequency(raw), snapped) << raw;
}

TEST(CpuFrequency, StepArithmetic) {
    EXPECT_EQ(ElapsedMicroseconds(1000, 10000000), 100);
    EXPECT_EQ(ElapsedMicroseconds(1000, 3579545), 279);  // ACPI power-management timer
    EXPECT_EQ(ElapsedMicroseconds(1050, 1193182), 880);  // the old timer chip
    EXPECT_EQ(ElapsedMicroseconds(1000, 1000000000), 1);
    EXPECT_EQ(ElapsedMicroseconds(1000, 3000000000), 0);  // too coarse in microseconds
    EXPECT_EQ(ElapsedMicroseconds(5, 2000000), 2);        // 2.5: halves go to the even one
    EXPECT_EQ(ElapsedMicroseconds(1000, 0), 0);

    EXPECT_EQ(TrialFrequency(73300, 100), 733);
    EXPECT_EQ(TrialFrequency(250, 100), 2);
    EXPECT_EQ(TrialFrequency(350, 100), 4);
    EXPECT_EQ(TrialFrequency(73300, 0), 0);

    EXPECT_EQ(CombinedFrequency(73300, 100), 733);
    EXPECT_EQ(CombinedFrequency(74960, 100), 750);
    EXPECT_EQ(CombinedFrequency(250, 100), 2);
    EXPECT_EQ(CombinedFrequency(uint64_t{0xFFFFFFFF} * 20, 2000), 42949673);
    EXPECT_EQ(CombinedFrequency(73300, 0), 0);
}

TEST(CpuFrequency, TrialsAgreeWithinThreeOfTheirSum) {
    EXPECT_TRUE(TrialsAgree(500, 500, 500));
    EXPECT_TRUE(TrialsAgree(500, 501, 502));  // 1500 and 1506 against 1503
    EXPECT_TRUE(TrialsAgree(500, 501, 501));
    EXPECT_FALSE(TrialsAgree(500, 500, 502));  // 1506 against 1502
    EXPECT_FALSE(TrialsAgree(733, 0, 733));
    EXPECT_TRUE(TrialsAgree(0, 0, 0));
}

// A simulation whose time stamp runs at a different rate in each trial (one rate per raise of
// the thread priority); the last rate stays.
class TrialRates : public SimProcessor {
public:
    explicit TrialRates(std::vector<uint64_t> rates) : rates_(std::move(rates)) {
        timeStampStep = rates_.front();
    }
    void SetThreadPriority(int priority) override {
        if (priority == kTimeCritical) {
            timeStampStep = rates_[std::min(trials, rates_.size() - 1)];
            ++trials;
        }
        SimProcessor::SetThreadPriority(priority);
    }
    size_t trials = 0;

private:
    std::vector<uint64_t> rates_;
};

TEST(CpuFrequency, SteadyClockStopsAfterThreeTrialsEachAtRaisedPriority) {
    TrialRates sim({733});
    sim.threadPriority = 2;  // whatever it was comes back after each trial
    EXPECT_EQ(MeasureFrequency(sim), 733);
    EXPECT_EQ(sim.trials, 3u);
    EXPECT_EQ(sim.priorityChanges,
              (std::vector<int>{kTimeCritical, 2, kTimeCritical, 2, kTimeCritical, 2}));
    EXPECT_EQ(sim.threadPriority, 2);
}

TEST(CpuFrequency, StopsOnceTheLastThreeAgreeAndAveragesAllTrials) {
    TrialRates sim({500, 520, 600, 601, 602, 900});
    // (500 + 520 + 600 + 601 + 602) / 5 = 564.6: 565, snapped to 566.
    EXPECT_EQ(MeasureFrequency(sim), 566);
    EXPECT_EQ(sim.trials, 5u);
}

TEST(CpuFrequency, GivesUpAgreeingAfterTwentyTrials) {
    TrialRates sim({500, 700, 500, 700, 500, 700, 500, 700, 500, 700, 500,
                    700, 500, 700, 500, 700, 500, 700, 500, 700, 500, 700});
    EXPECT_EQ(MeasureFrequency(sim), 600);
    EXPECT_EQ(sim.trials, 20u);
}

TEST(CpuFrequency, SnapsTheMeasuredClock) {
    SimProcessor sim;
    sim.timeStampStep = 498;
    EXPECT_EQ(MeasureFrequency(sim), 500);
}

TEST(CpuFrequency, UnreadablePriorityIsLeftAlone) {
    SimProcessor sim;
    sim.priorityReadable = false;
    sim.timeStampStep = 1200;
    EXPECT_EQ(MeasureFrequency(sim), 1200);
    EXPECT_TRUE(sim.priorityChanges.empty());
}

TEST(CpuFrequency, NoPerformanceCounterGivesZero) {
    SimProcessor sim;
    sim.performanceFrequency = std::nullopt;
    EXPECT_EQ(MeasureFrequency(sim), 0);
    sim.performanceFrequency = 0;
    EXPECT_EQ(MeasureFrequency(sim), 0);
    EXPECT_EQ(sim.performanceCounter, 0);  // never read
}

TEST(CpuFrequency, CounterTooCoarseForMicrosecondsGivesZero) {
    SimProcessor sim;
    sim.performanceFrequency = 3000000000;  // 1000 ticks are a third of a microsecond
    EXPECT_EQ(MeasureFrequency(sim), 0);
}

TEST(CpuFrequency, StoppedCounterGivesZeroInsteadOfSpinning) {
    SimProcessor sim;
    sim.performanceCounterStep = 0;
    sim.threadPriority = -1;
    EXPECT_EQ(MeasureFrequency(sim), 0);
    EXPECT_EQ(sim.threadPriority, -1);
}

TEST(CpuFrequency, CounterGoingBackwardsGivesZero) {
    SimProcessor sim;
    sim.performanceCounter = 1000000;
    sim.performanceCounterStep = -10;
    EXPECT_EQ(MeasureFrequency(sim), 0);
}

TEST(CpuFrequency, MissingTimeStampFailsBeforeThePriorityIsRaised) {
    SimProcessor sim;
    sim.hasTimeStamp = false;
    EXPECT_THROW(MeasureFrequency(sim), rb::Exception);
    EXPECT_TRUE(sim.priorityChanges.empty());
}

}  // namespace
