#include "engine/calculation.h"
#include "fake_console.h"

#include <gtest/gtest.h>

using namespace tarvik;
using tarvik::testing::FakeConsole;

namespace {
const WorkerContext context{"1A2B", '.'};
}

TEST(Calculation, FirstOfEightOn32MChecksTheClockEvery262144NumbersAndReportsOnceAtHalf)
{
    FakeConsole console;
    const WorkerJob job{1, 0, 4194304, false, false};
    EXPECT_EQ(Calculate(job, context, console), CalculationEnd::Completed);

    EXPECT_EQ(console.lines.front(), "Thread 1 calculating from 0 to 4194304 in THREAD#1A2B.");
    // Sixteen checks pass inside the range (the last threshold is its end),
    // plus the reading of "Time taken".
    EXPECT_EQ(console.timeReads, 16);
    const auto progress = console.linesStartingWith("Thread 1 is ");
    ASSERT_EQ(progress.size(), 1u); // no line for 100 %
    // The eighth check and the 50 % line come in the same pass.
    EXPECT_EQ(progress[0], "Thread 1 is 50% complete @ 0.008 seconds");
    EXPECT_EQ(console.lines[console.lines.size() - 2], "Thread 1 complete with 0 errors!");
    EXPECT_EQ(console.lines.back(), "Time taken: 0.016 seconds");
    EXPECT_EQ(console.outputs, 0); // no cache, no verification
    EXPECT_EQ(console.completes, 1);
    EXPECT_FALSE(console.lastError);
}

TEST(Calculation, OneThreadOn32MPrintsEveryStepOfSixteenthsButTheLast)
{
    FakeConsole console;
    Calculate({1, 0, 33554431, false, false}, context, console);
    std::string percents;
    for (const auto &line : console.linesStartingWith("Thread 1 is "))
        percents += line.substr(12, line.find('%') - 12) + " ";
    EXPECT_EQ(percents, "6 13 19 25 31 38 44 50 56 63 69 75 81 88 94 ");
}

TEST(Calculation, QuietWorkerPrintsNothingButStillChecksAndCompletes)
{
    FakeConsole console;
    Calculate({2, 0, 1000000, true, true}, context, console);
    EXPECT_TRUE(console.lines.empty());
    EXPECT_EQ(console.timeReads, 3);
    EXPECT_EQ(console.outputs, 1);
    EXPECT_EQ(console.completes, 1);
}

TEST(Calculation, ClockRunningBackwardsIsACheatButAnEqualReadingIsNot)
{
    FakeConsole steady;
    steady.clock = [](int) { return 5.0; };
    EXPECT_EQ(Calculate({1, 0, 600000, false, true}, context, steady), CalculationEnd::Completed);

    FakeConsole backwards;
    backwards.clock = [](int read) { return read == 2 ? 0.5 : 1.0; };
    EXPECT_EQ(Calculate({1, 0, 600000, false, false}, context, backwards), CalculationEnd::CheatDetected);
    EXPECT_EQ(backwards.lines.back(), "Cheat detected.");
    EXPECT_EQ(backwards.completes, 0);
}

TEST(Calculation, KernelFailuresAreCountedAndReportedPerNumber)
{
    FakeConsole console;
    // Above 1992322169 every number fails the self-check.
    Calculate({3, 2147483640, 2147483647, false, false}, context, console);
    EXPECT_EQ(console.linesStartingWith("WARNING: Incorrect result found for f(x)=x^2 - 2147483640 in thread 3").size(),
              1u);
    EXPECT_EQ(console.linesStartingWith("Thread 3 complete with 8 errors!").size(), 1u);
    EXPECT_TRUE(console.lastError);
}

TEST(Calculation, OneNumberRangeSkipsTheChecks)
{
    FakeConsole console;
    Calculate({4, 7, 7, true, false}, context, console);
    EXPECT_EQ(console.timeReads, 1); // only "Time taken"
    EXPECT_EQ(console.completes, 1);
}
