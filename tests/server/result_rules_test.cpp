#include "rules/result_rules.h"
#include "rules/submission_rate.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvik::server::rules {
namespace {

using namespace std::chrono_literals;

TEST(ResultRules, TheFloorIsEighteenDivisionsAtFourACycleAndTenGigahertzPerNumberAndThread)
{
    EXPECT_DOUBLE_EQ(floorSeconds(6, 1), 33554432 * 0.45e-9);
    EXPECT_DOUBLE_EQ(floorSeconds(11, 4), 1073741824 * 0.45e-9 / 4);
    const struct {
        int test;
        int threads;
        double seconds;
        bool refused;
    } cases[] = {
        {6, 2, 0.007, true},                                                    // a quick-mode time of the 32M test
        {6, 2, 0.0076, false},    {11, 2, 0.108, true},                         // and of the 1024M test
        {11, 1, 0.4831, true},    {11, 1, 0.4832, false}, {1, 1, 0.0004, true}, // 1048576 numbers
        {6, 256, 0.00006, false},
    };
    for (const auto &c : cases) {
        const std::optional<Decision> decision = checkPhysicalFloor(c.test, c.threads, c.seconds);
        ASSERT_EQ(decision.has_value(), c.refused) << c.test << " " << c.threads << " " << c.seconds;
        if (decision) {
            EXPECT_EQ(decision->verdict, Verdict::Refused);
            EXPECT_EQ(decision->rule, PhysicalFloorRule);
        }
    }
    EXPECT_EQ(checkPhysicalFloor(6, 2, 0.007)->reason,
              "physical floor: 0.007 s is below the 0.00755 s that any processor needs for 33554432 numbers on 2 "
              "threads");
}

TEST(ResultRules, ThreadCountsFromOneTo256)
{
    for (const auto &[threads, refused] : {std::pair{0, true}, {1, false}, {256, false}, {257, true}, {32767, true}})
        EXPECT_EQ(checkThreadCount(threads).has_value(), refused) << threads;
    EXPECT_EQ(checkThreadCount(300)->reason, "thread count: 300 threads is not a count from 1 to 256");
}

TEST(ResultRules, ATimeBelowHalfTheTenthPercentileOfTenOrMoreResultsIsHeld)
{
    // The place of the percentile among the sorted times: (n - 1) / 10.
    auto times = [](int count) {
        std::vector<double> seconds;
        for (int i = count; i > 0; --i)
            seconds.push_back(i);
        return seconds;
    };
    for (const auto &[results, percentile] : {std::pair{10, 1.0}, {11, 2.0}, {20, 2.0}, {21, 3.0}, {1000, 100.0}}) {
        EXPECT_EQ(bandOf(times(results)).results, results);
        EXPECT_EQ(bandOf(times(results)).percentile, percentile) << results;
    }
    EXPECT_EQ(bandOf(times(9)).percentile, 0);
    const struct {
        Band band;
        double seconds;
        bool held;
    } cases[] = {
        {{9, 20.0}, 0.5, false}, // too few to judge
        {{10, 20.0}, 9.99, true},
        {{10, 20.0}, 10.0, false},
        {{500, 20.0}, 30.0, false},
    };
    for (const auto &c : cases) {
        const std::optional<Decision> decision = checkPlausibility(c.seconds, c.band);
        ASSERT_EQ(decision.has_value(), c.held) << c.band.results << " " << c.seconds;
        if (decision) {
            EXPECT_EQ(decision->verdict, Verdict::Held);
        }
    }
}

TEST(ResultRules, VerdictsAreStoredByName)
{
    for (Verdict verdict : {Verdict::Accepted, Verdict::Held, Verdict::Refused})
        EXPECT_EQ(verdictFromName(verdictName(verdict)), verdict);
    EXPECT_THROW(verdictFromName("maybe"), std::invalid_argument);
}

TEST(SubmissionRate, EachAddressHasItsOwnMinuteAndRefusalsDoNotCount)
{
    SubmissionRate rate(2);
    const SubmissionRate::Clock::time_point start{};
    EXPECT_TRUE(rate.admit("10.0.0.1", start));
    EXPECT_TRUE(rate.admit("10.0.0.1", start + 10s));
    EXPECT_FALSE(rate.admit("10.0.0.1", start + 20s));
    EXPECT_TRUE(rate.admit("10.0.0.2", start + 20s));
    // Trying on all minute long does not push the address's minute on.
    for (auto at = start + 21s; at < start + 60s; at += 1s)
        EXPECT_FALSE(rate.admit("10.0.0.1", at));
    EXPECT_TRUE(rate.admit("10.0.0.1", start + 60s));
    EXPECT_FALSE(rate.admit("10.0.0.1", start + 61s));
    EXPECT_TRUE(rate.admit("10.0.0.1", start + 70s));
}

} // namespace
} // namespace tarvik::server::rules
