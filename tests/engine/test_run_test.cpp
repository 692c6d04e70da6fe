#include "expect_fault.h"
#include "engine/run_plan.h"
#include "engine/test_run.h"
#include "fake_console.h"
#include "foundation/protocol.h"
#include "hardware/fake_root.h"

#include <gtest/gtest.h>

using namespace tarvik;
using tarvik::testing::FakeConsole;
using tarvik::testing::FakeRoot;

TEST(RunPlan, RangesShareTheirEndsAndSpreadTheRemainderByRounding)
{
    struct Case {
        std::int16_t size, threads, worker;
        std::int32_t low, high;
    } cases[] = {
        {SpeedTest, 1, 1, 0, 33554431},
        {SpeedTest, 2, 2, 16777216, 33554431},
        {SpeedTest, 3, 1, 0, 11184810},
        {SpeedTest, 3, 2, 11184810, 22369621},
        {SpeedTest, 3, 3, 22369621, 33554431},
        {SpeedTest, 4, 3, 16777216, 25165823},
        {SpeedTest, 4, 4, 25165823, 33554431},
        {StabilityTest, 6, 1, 0, 178956970}, // 178956970.5 goes to the even neighbour
        {StabilityTest, 6, 2, 178956970, 357913941},
    };
    for (const Case &c : cases) {
        const WorkerRange r = workerRange(rangeEnd(c.size, false), c.threads, c.worker);
        EXPECT_EQ(r.Low, c.low) << c.size << "/" << c.threads << "/" << c.worker;
        EXPECT_EQ(r.High, c.high) << c.size << "/" << c.threads << "/" << c.worker;
    }
    EXPECT_EQ(rangeEnd(-5, true), 15);
    EXPECT_EQ(announcedCount(-5), 16383);
    EXPECT_EQ(rangeEnd(12, false), 2147483647);
    EXPECT_FAULT(workerRange(rangeEnd(13, false), 1, 1), "Overflow");
}

class TestRunTest : public ::testing::Test {
protected:
    FakeConsole host;
    Records records;
    double now = 0;
    TestRun run{host, records, RunClock([this] { return now; })};

    void finishRun(std::int16_t size, double seconds, std::vector<bool> errors = {false}, bool quickMode = false)
    {
        run.StartTest(size, false, {static_cast<std::int16_t>(errors.size()), false, quickMode});
        now += seconds;
        for (bool error : errors)
            run.complete(false, error);
    }
};

TEST_F(TestRunTest, StartsOneWorkerPerThreadAndAnnouncesTheCount)
{
    run.StartTest(SpeedTest, false, {3, false, false});
    EXPECT_EQ(host.lines.front(), "Calculating sqrts of first 33554431 numbers.");
    ASSERT_EQ(host.started.size(), 3u);
    EXPECT_EQ(host.started[2].Low, 22369621);
    EXPECT_TRUE(run.testRunning());

    run.complete(false, false);
    run.complete(false, false);
    EXPECT_TRUE(run.testRunning()); // a worker that never completes keeps the run pending
    run.complete(false, false);
    EXPECT_FALSE(run.testRunning());
    EXPECT_EQ(host.runsEnded, 1);
}

TEST_F(TestRunTest, KeepsTheBestTimeAndOnlyAStrictlyBetterOne)
{
    finishRun(SpeedTest, 12.5);
    EXPECT_EQ(host.lines[host.lines.size() - 2], "Process completed in 12.5 seconds.");
    EXPECT_EQ(host.lines.back(), "Test completed successfully.");
    EXPECT_EQ(records.get(SpeedTest), 12.5);
    finishRun(SpeedTest, 12.6);
    EXPECT_EQ(records.get(SpeedTest), 12.5);
    finishRun(SpeedTest, 12.25);
    EXPECT_EQ(records.get(SpeedTest), 12.25);

    // Each run is reported with its full-precision time and whether it set the record.
    ASSERT_EQ(host.completedRuns.size(), 3u);
    const std::vector<std::pair<float, bool>> reported = {{12.5f, true}, {12.6f, false}, {12.25f, true}};
    for (std::size_t i = 0; i < reported.size(); ++i) {
        const CompletedRun &r = host.completedRuns[i];
        EXPECT_EQ(r.seconds, reported[i].first);
        EXPECT_EQ(r.newRecord, reported[i].second);
        EXPECT_EQ(r.test, SpeedTest);
        EXPECT_EQ(r.numbers, 33554432);
        EXPECT_EQ(r.threads, 1);
        EXPECT_FALSE(r.errors);
    }
}

TEST_F(TestRunTest, AQuickModeRecordGivesWayToAFullRunButNeverTakesItsPlace)
{
    finishRun(SpeedTest, 0.007, {false}, true);
    EXPECT_EQ(records.record(SpeedTest), (Record{0.007f, true}));
    finishRun(SpeedTest, 12.5); // slower, yet the test's real record
    EXPECT_EQ(records.record(SpeedTest), (Record{12.5, false}));
    finishRun(SpeedTest, 0.006, {false}, true);
    EXPECT_EQ(records.record(SpeedTest), (Record{12.5, false}));

    ASSERT_EQ(host.completedRuns.size(), 3u);
    EXPECT_TRUE(host.completedRuns[1].newRecord);
    EXPECT_FALSE(host.completedRuns[2].newRecord);
}

TEST_F(TestRunTest, ReportsModesOfARunButNotTheQuietOnes)
{
    run.StartTest(-5, true, {1, false, false});
    run.complete(true, false);
    EXPECT_TRUE(host.completedRuns.empty());
    EXPECT_EQ(host.runsStarting, 0);
    run.StartTest(SpeedTest, false, {2, true, true});
    EXPECT_EQ(host.runsStarting, 1);
    run.complete(false, false);
    run.complete(false, false);
    ASSERT_EQ(host.completedRuns.size(), 1u);
    const CompletedRun &r = host.completedRuns[0];
    EXPECT_EQ(r.numbers, 32768);
    EXPECT_EQ(r.threads, 2);
    EXPECT_TRUE(r.quickMode);
    EXPECT_TRUE(r.cacheMode);
}

TEST_F(TestRunTest, AnyWorkersErrorMarksTheRunAndKeepsItsTimeOut)
{
    // The first worker reports errors, the last one does not.
    finishRun(SpeedTest, 10, {true, false});
    EXPECT_EQ(host.lines.back(), "Test completed, errors were detected.");
    EXPECT_EQ(records.get(SpeedTest), 0);
    ASSERT_EQ(host.completedRuns.size(), 1u);
    EXPECT_TRUE(host.completedRuns[0].errors);
    EXPECT_FALSE(host.completedRuns[0].newRecord);
}

TEST_F(TestRunTest, RunThatCouldNeverCompleteStartsNoWorker)
{
    // Ranges beyond the 32-bit numbers, or no thread to run on.
    EXPECT_FAULT(run.StartTest(13, false, {4, false, false}), "Overflow");
    EXPECT_FAULT(run.StartTest(SpeedTest, false, {0, false, false}), "Invalid procedure call or argument");
    EXPECT_TRUE(host.started.empty());
}

TEST(TestRunMemory, ACacheModeRunBeyondTheAvailableMemoryStartsNoWorker)
{
    FakeConsole host;
    Records records;
    std::optional<std::uint64_t> available = 16 * 32768 - 1; // one byte short of the quick 32M test
    TestRun run{host, records, RunClock(), [&] { return available; }};
    try {
        run.StartTest(SpeedTest, false, {2, true, true});
        ADD_FAILURE() << "the run started";
    } catch (const Fault &fault) {
        EXPECT_EQ(fault.description(), "Out of memory");
    }
    EXPECT_TRUE(host.started.empty());

    run.StartTest(SpeedTest, false, {2, false, true}); // without the cache it needs no such memory
    EXPECT_EQ(host.started.size(), 2u);
    run.complete(false, false);
    run.complete(false, false);
    *available += 1;
    run.StartTest(SpeedTest, false, {2, true, true});
    EXPECT_EQ(host.started.size(), 4u);
    run.complete(false, false);
    run.complete(false, false);
    available.reset(); // a kernel that does not say is trusted
    run.StartTest(SpeedTest, false, {2, true, true});
    EXPECT_EQ(host.started.size(), 6u);
}

TEST(AvailableMemory, ReadsMemAvailableInBytes)
{
    FakeRoot root;
    EXPECT_EQ(availableMemory(root.path()), std::nullopt);
    root.write("/proc/meminfo", "MemTotal:       16314516 kB\nMemFree:         1000 kB\n");
    EXPECT_EQ(availableMemory(root.path()), std::nullopt); // kernels before 3.14
    root.write("/proc/meminfo", "MemTotal:       16314516 kB\nMemAvailable:    8157258 kB\n");
    EXPECT_EQ(availableMemory(root.path()), 8157258ull * 1024);
    EXPECT_EQ(cacheModeBytes(rangeEnd(12, false)), 32ull << 30); // the 2048M test
}

TEST(AvailableMemory, AControlGroupLimitBelowTheMachinesFreeMemoryDecides)
{
    FakeRoot root;
    root.write("/proc/meminfo", "MemAvailable:    8000000 kB\n");
    root.write("/proc/self/cgroup", "0::/box/run\n");
    root.write("/sys/fs/cgroup/memory.max", "max\n"); // the root group has no limit
    root.write("/sys/fs/cgroup/box/run/memory.max", "max\n");
    EXPECT_EQ(availableMemory(root.path()), 8000000ull * 1024) << "no limit anywhere";

    // A limit higher up holds for the groups below it; the file cache the
    // kernel drops first is not counted as used.
    root.write("/sys/fs/cgroup/box/memory.max", "1073741824\n");
    root.write("/sys/fs/cgroup/box/memory.current", "400000000\n");
    root.write("/sys/fs/cgroup/box/memory.stat", "anon 300000000\ninactive_file 100000000\n");
    EXPECT_EQ(availableMemory(root.path()), 1073741824ull - 300000000);

    root.write("/sys/fs/cgroup/box/memory.current", "2000000000\n");
    EXPECT_EQ(availableMemory(root.path()), 0u) << "over its limit";

    root.write("/proc/meminfo", "MemAvailable:    100 kB\n");
    root.write("/sys/fs/cgroup/box/memory.current", "0\n");
    EXPECT_EQ(availableMemory(root.path()), 100ull * 1024) << "the machine has less than the group allows";
}

TEST_F(TestRunTest, VerificationCopiesIntoTheResultsCache)
{
    run.StartTest(-5, true, {1, true, true});
    const std::vector<double> roots{0, 1, 1.4142135623730951, 0}; // 0 at 3 fails its check
    host.cacheMode = true;
    run.output(roots, 0, 1);
    EXPECT_EQ(host.linesStartingWith("WARNING: Incorrect result stored for sqrt(3)").size(), 1u);
    EXPECT_FAULT(run.output(roots, 14, 1), "Subscript out of range"); // beyond 0..15
}
