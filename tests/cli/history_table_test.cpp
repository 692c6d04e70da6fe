#include "cli/results_history.h"

#include <QJsonObject>

#include <gtest/gtest.h>

using namespace tarvik::cli;

namespace {
QJsonObject entry(int test, double seconds, bool errors = false)
{
    return {{"test", test}, {"seconds", seconds}, {"errors", errors}, {"threads", 2}, {"quickMode", true}};
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
