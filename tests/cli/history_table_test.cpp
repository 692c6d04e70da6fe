#include "cli/results_history.h"

#include <QJsonObject>

#include <gtest/gtest.h>

using namespace tarvik::cli;

namespace {
QJsonObject entry(int test, double seconds, bool errors = false, const QString &processor = "Ryzen")
{
    return {{"test", test}, {"seconds", seconds}, {"errors", errors},
            {"threads", 2}, {"quickMode", true},  {"hardware", QJsonObject{{"hwbotcpu", processor}}}};
}
} // namespace

TEST(HistoryTable, GroupsByTestFastestFirstAndErrorsLast)
{
    const QStringList rows =
        historyTable({entry(6, 2.5), entry(6, 1.25, true), entry(1, 0.5), entry(6, 2.0)}).split('\n');
    ASSERT_EQ(rows.size(), 7); // heading, test 1, gap, three runs of test 6, end
    EXPECT_TRUE(rows[1].startsWith("1     0.500"));
    EXPECT_EQ(rows[2], "");
    EXPECT_TRUE(rows[3].startsWith("6     2.000        2        quick        ok ")) << rows[3].toStdString();
    EXPECT_TRUE(rows[4].startsWith("6     2.500"));
    EXPECT_TRUE(rows[5].startsWith("6     1.250")); // a run with errors ranks after every good one
    EXPECT_TRUE(rows[5].contains("errors"));
}

TEST(HistoryTable, MedianAndSpreadPerTestAndProcessor)
{
    // Lines of this form were written before the history kept conditions.
    const QStringList rows = historySpreadTable({entry(6, 2.0), entry(6, 2.2), entry(6, 0.1, true), entry(6, 2.1),
                                                 entry(6, 3.0, false, "Core i7"), entry(1, 0.5)})
                                 .split('\n');
    ASSERT_EQ(rows.size(), 5) << rows.join('\n').toStdString(); // heading, test 1, two processors of test 6, end
    EXPECT_EQ(rows[0], "Test  Mode         Runs  Median       Minimum      Spread    Processor");
    EXPECT_EQ(rows[1], "1     quick        1     0.500        0.500        -         Ryzen");
    // 2.0 2.2 2.1: median 2.1, standard deviation 0.1, 4.8 % of the mean;
    // the run with errors is left out.
    EXPECT_EQ(rows[2], "6     quick        3     2.100        2.000        4.8 %     Ryzen");
    EXPECT_EQ(rows[3], "6     quick        1     3.000        3.000        -         Core i7");
}
