// Statistics of repeated runs and the rule that ends an automatic repeat,
// against values worked out by hand.
#include "measurement/repeat_rule.h"
#include "measurement/run_statistics.h"

#include <gtest/gtest.h>

using namespace tarvik::measurement;

TEST(RunStatistics, FiveRunsGiveTheHandComputedFigures)
{
    // Mean 12, squares 4+0+1+1+4 = 10, s = sqrt(10/4) = 1.58114;
    // t(4) = 2.7764, half width 2.7764 * 1.58114 / sqrt(5) = 1.96324.
    const RunStatistics s = summarize({10, 12, 11, 13, 14});
    EXPECT_EQ(s.runs, 5u);
    EXPECT_EQ(s.minimum, 10);
    EXPECT_EQ(s.median, 12);
    EXPECT_DOUBLE_EQ(s.mean, 12);
    EXPECT_NEAR(*s.standardDeviation, 1.58114, 1e-5);
    EXPECT_NEAR(*s.coefficientOfVariation, 0.131762, 1e-6);
    EXPECT_NEAR(*s.confidenceLow, 10.03676, 1e-4);
    EXPECT_NEAR(*s.confidenceHigh, 13.96324, 1e-4);
    EXPECT_TRUE(s.outliers.empty());
}

TEST(RunStatistics, EvenCountTakesTheMiddlePairAndOneRunHasNoSpread)
{
    EXPECT_DOUBLE_EQ(summarize({4, 1, 3, 2}).median, 2.5);
    const RunStatistics one = summarize({1.5});
    EXPECT_EQ(one.median, 1.5);
    EXPECT_EQ(one.mean, 1.5);
    EXPECT_FALSE(one.standardDeviation || one.coefficientOfVariation || one.confidenceLow);
}

TEST(RunStatistics, OutliersByModifiedZScore)
{
    const struct {
        std::vector<double> seconds;
        std::vector<std::size_t> outliers;
    } cases[] = {
        // Median 1.05, deviations 0.05 0.05 0 0.03 1.95, MAD 0.05:
        // 3.0 scores 0.6745 * 1.95 / 0.05 = 26.3, 1.0 only 0.67.
        {{1.0, 1.1, 1.05, 1.02, 3.0}, {4}},
        // Both tails; 1.4 scores 0.6745 * 0.4 / 0.05 = 5.4, 1.2 scores 2.7.
        {{0.5, 1.0, 1.05, 1.0, 1.2, 1.05, 1.4}, {0, 6}},
        // Just under the line: 0.6745 * 0.25 / 0.05 = 3.37.
        {{1.0, 1.05, 1.1, 1.0, 1.3}, {}},
        // More than half the runs equal: every other one stands out.
        {{2, 2, 2, 5}, {3}},
        {{2, 2, 2}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(outlierPositions(c.seconds), c.outliers) << ::testing::PrintToString(c.seconds);
}

TEST(RunStatistics, StudentTFromTableAndBeyond)
{
    EXPECT_DOUBLE_EQ(studentT95(1), 12.7062);
    EXPECT_DOUBLE_EQ(studentT95(30), 2.0423);
    EXPECT_NEAR(studentT95(31), 2.0395, 1e-4);
    EXPECT_NEAR(studentT95(60), 2.0003, 1e-4);
    EXPECT_NEAR(studentT95(1000), 1.9623, 1e-4);
}

TEST(RepeatRule, StopsWhenSteadyOrOutOfTime)
{
    const struct {
        std::vector<double> seconds;
        double budget;
        int mostRuns;
        RepeatStep step;
    } cases[] = {
        {{}, 60, 10000, RepeatStep::Again},
        // Two runs never stop the repeat, however steady or long.
        {{1.0, 1.0}, 60, 10000, RepeatStep::Again},
        {{50.0, 50.0}, 60, 10000, RepeatStep::Again},
        // CV of 1.00 1.01 1.02 is 0.99 %; of 1.00 1.10 1.20 it is 9.1 %.
        {{1.00, 1.01, 1.02}, 60, 10000, RepeatStep::Steady},
        {{1.00, 1.10, 1.20}, 60, 10000, RepeatStep::Again},
        {{1.00, 1.10, 1.20}, 3.3, 10000, RepeatStep::BudgetSpent},
        {{1.00, 1.10, 1.20}, 3.31, 10000, RepeatStep::Again},
        // Steady beats a spent budget: the spread is what was asked for.
        {{1.00, 1.01, 1.02}, 1, 10000, RepeatStep::Steady},
        // CV of 1.00 1.07 twice: 3.9 %, over the limit of 3.5 %; of 1.00 1.04 twice: 2.2 %.
        {{1.00, 1.07, 1.00, 1.07}, 60, 10000, RepeatStep::Again},
        {{1.00, 1.04, 1.00, 1.04}, 60, 10000, RepeatStep::Steady},
        {{1.00, 1.10, 1.20}, 60, 3, RepeatStep::MostRuns},
    };
    for (const auto &c : cases) {
        RepeatRule rule;
        rule.budgetSeconds = c.budget;
        rule.mostRuns = c.mostRuns;
        EXPECT_EQ(nextRepeat(rule, c.seconds), c.step) << ::testing::PrintToString(c.seconds) << " budget " << c.budget;
    }
}
