#include "engine/verification.h"
#include "fake_console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tarvik;
using tarvik::testing::FakeConsole;

namespace {
std::vector<double> roots(std::int32_t low, std::int32_t high)
{
    std::vector<double> values;
    for (std::int32_t i = low; i <= high; ++i)
        values.push_back(std::sqrt(static_cast<double>(i)));
    return values;
}
} // namespace

TEST(Verification, ReportsProgressAtTheFourMarksOfTheRange)
{
    FakeConsole host;
    std::vector<double> results(4194305);
    host.cacheMode = true;
    verifyResults(roots(0, 4194304), 0, 1, results, host, [&] { return 1.25; });
    const std::vector<std::string> expected = {
        "Verifying results for thread 1",
        "Verification is 20% complete @ 1.25 seconds",
        "Verification is 40% complete @ 1.25 seconds",
        "Verification is 60% complete @ 1.25 seconds",
        "Verification is 80% complete @ 1.25 seconds",
        "Verification Complete for thread 1",
    };
    EXPECT_EQ(host.lines, expected);
    EXPECT_EQ(results[4194304], 2048);
}

TEST(Verification, MarksFallOnTheRoundedFractions)
{
    FakeConsole host;
    std::vector<double> results(4194305);
    host.cacheMode = true;
    std::vector<long> marks;
    // A mark reads the clock right after copying its own index, so the
    // number of copied values past index 0 is the index of the mark.
    verifyResults(roots(0, 4194304), 0, 1, results, host, [&] {
        marks.push_back(std::count_if(results.begin() + 1, results.end(), [](double v) { return v != 0; }));
        return 0.0;
    });
    EXPECT_EQ(marks, (std::vector<long>{838861, 1677722, 2516582, 3355443}));
}

TEST(Verification, WrongValuesWarnAndASwitchedOffCacheCopiesSilently)
{
    FakeConsole host;
    std::vector<double> results(10);
    host.cacheMode = true;
    std::vector<double> values = roots(0, 9);
    values[5] = 0;
    values[0] = 0; // the root of 0 is 0
    verifyResults(values, 0, 2, results, host, [] { return 0.0; });
    EXPECT_EQ(host.linesStartingWith("WARNING").size(), 1u);
    EXPECT_EQ(host.linesStartingWith("WARNING")[0], "WARNING: Incorrect result stored for sqrt(5)");

    FakeConsole silent;
    silent.cacheMode = false;
    results.assign(10, -1);
    verifyResults(values, 0, 2, results, silent, [] { return 0.0; });
    EXPECT_TRUE(silent.lines.empty());
    EXPECT_EQ(results[9], 3);
}
