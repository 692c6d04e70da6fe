// What a batch run tells a reviewer beyond the console's lines: the summary
// block, the statistics, conditions and warnings of the results file, the
// automatic repeat, and the load warning that a busy machine earns. The
// real program in batch runs.
#include "console_session.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvik::testing;

namespace {

// The lines from the first summary line on.
QStringList summaryBlock(const QStringList &out)
{
    const qsizetype start = out.indexOf(QRegularExpression("Summary of test .*"));
    return start < 0 ? QStringList() : out.mid(start);
}

QStringList warningKinds(const QJsonArray &warnings)
{
    QStringList kinds;
    for (const QJsonValue &warning : warnings)
        kinds << warning["kind"].toString();
    return kinds;
}

bool holdsControlBytes(const QJsonValue &value)
{
    if (value.isString())
        return value.toString().contains(QRegularExpression("[\\x00-\\x1f]"));
    if (value.isArray()) {
        for (const QJsonValue &item : value.toArray())
            if (holdsControlBytes(item))
                return true;
    }
    if (value.isObject()) {
        for (const QJsonValue &item : value.toObject())
            if (holdsControlBytes(item))
                return true;
    }
    return false;
}

} // namespace

TEST(BatchSummary, RepeatedRunEndsWithStatisticsConditionsAndWarnings)
{
    ConsoleSession session;
    const QString results = session.home() + "/out.json";
    session.startProgram({"--run", "1", "--threads", "2", "--repeat", "3", "--json", results});
    const QStringList out = session.finish();
    ASSERT_EQ(session.process().exitCode(), 0);

    // The console's lines end as before; the block follows them.
    const qsizetype standBy = out.lastIndexOf("Please stand by...");
    ASSERT_GE(standBy, 0);
    const QStringList block = summaryBlock(out);
    ASSERT_EQ(out.size() - block.size(), standBy + 2) << out.join('\n').toStdString(); // an empty line between
    const QStringList patterns = {
        "^Summary of test 1: 3 runs without errors$",
        "^  Minimum [0-9]+\\.[0-9]{3} s, median [0-9]+\\.[0-9]{3} s, mean [0-9]+\\.[0-9]{3} s$",
        "^  Standard deviation [0-9]+\\.[0-9]{3} s, coefficient of variation [0-9]+\\.[0-9] %$",
        "^  95 % confidence interval of the mean: -?[0-9]+\\.[0-9]{3} to [0-9]+\\.[0-9]{3} s$",
        "^  Outliers \\(modified Z-score over 3\\.5\\): (none|run [1-3] .*)$",
        "^Conditions$",
        "^  Kernel .+, clock source .+, .+$",
        "^  Governor .+, driver .+, boost .+, SMT .+$",
        "^  CPU frequency during the runs: .+$",
        "^  Throttle events during the runs: .+$",
        "^  Processor time of other processes: ([0-9]+\\.[0-9] %|not given by this machine)$",
        "^  Build: (g\\+\\+|clang) .+, version 1\\.55$",
        "^Warnings(: none)?$",
    };
    ASSERT_GE(block.size(), patterns.size()) << block.join('\n').toStdString();
    for (qsizetype i = 0; i < patterns.size(); ++i)
        EXPECT_TRUE(QRegularExpression(patterns[i]).match(block[i]).hasMatch()) << block[i].toStdString();

    const QJsonObject document = readJson(results);
    const QJsonArray statistics = document["statistics"].toArray();
    ASSERT_EQ(statistics.size(), 1);
    const QJsonObject s = statistics[0].toObject();
    EXPECT_EQ(s["test"].toInt(), 1);
    EXPECT_EQ(s["runs"].toInt(), 3);
    EXPECT_LE(s["minimum"].toDouble(), s["median"].toDouble());
    const QJsonArray interval = s["confidenceInterval95"].toArray();
    ASSERT_EQ(interval.size(), 2);
    EXPECT_LE(interval[0].toDouble(), s["mean"].toDouble());
    EXPECT_GE(interval[1].toDouble(), s["mean"].toDouble());
    EXPECT_TRUE(document["autoRepeat"].isNull());

    const QJsonObject conditions = document["conditions"].toObject();
    EXPECT_FALSE(conditions["kernel"].toString().isEmpty());
    EXPECT_EQ(conditions["build"].toObject()["version"].toString(), "1.55");
    EXPECT_TRUE(document["warnings"].isArray());
    for (const QJsonValue &run : document["runs"].toArray()) {
        EXPECT_TRUE(run["conditions"].toObject()["kernel"].isString());
        EXPECT_TRUE(run["warnings"].isArray());
    }
    // The hardware block in named fields, none holding a separator or line end.
    const QJsonObject hardware = document["hardware"].toObject();
    EXPECT_FALSE(hardware["processorRecord"].toObject()["processor"].toString().isEmpty());
    EXPECT_FALSE(hardware["description"].toArray().isEmpty());
    EXPECT_FALSE(holdsControlBytes(hardware));
}

TEST(BatchSummary, AutomaticRepeatRunsAtLeastThreeTimesAndSaysWhatEndedIt)
{
    ConsoleSession session;
    const QString results = session.home() + "/out.json";
    // Quick runs take a millisecond: the budget is spent after the least runs
    // unless their times agreed first.
    session.startProgram({"--run", "2", "--quick", "--repeat", "auto", "--max-time", "0.0001", "--json", results});
    const QStringList out = session.finish();
    ASSERT_EQ(session.process().exitCode(), 0);
    EXPECT_EQ(out.filter(QRegularExpression("^>st 2$")).size(), 3) << out.join('\n').toStdString();
    EXPECT_EQ(out.filter(QRegularExpression("^>exit$")).size(), 1);
    const QStringList block = summaryBlock(out);
    ASSERT_FALSE(block.isEmpty());
    EXPECT_EQ(block[0], "Summary of test 2 in quick mode: 3 runs without errors");
    const QStringList ended = block.filter(QRegularExpression("^  Repeat ended: "));
    ASSERT_EQ(ended.size(), 1);
    const QJsonObject repeat = readJson(results)["autoRepeat"].toObject();
    EXPECT_EQ(repeat["maxTimeSeconds"].toDouble(), 0.0001);
    if (repeat["endedBy"].toString() == "steady")
        EXPECT_EQ(ended[0], "  Repeat ended: the coefficient of variation fell under 3.5 %");
    else
        EXPECT_EQ(ended[0], "  Repeat ended: the time budget of 0.0001 s was spent");
}

TEST(BatchSummary, AutomaticRepeatStopsWhenARunCannotRun)
{
    // Test 16 does not fit one worker's range: the first run never starts.
    ConsoleSession session;
    session.startProgram({"--run", "16", "--threads", "1", "--repeat", "auto"});
    const QStringList out = session.finish();
    EXPECT_EQ(session.process().exitCode(), 1);
    EXPECT_TRUE(out.contains("Error occured: Overflow."));
    EXPECT_EQ(out.filter(QRegularExpression("^>st 16$")).size(), 1);
    EXPECT_EQ(out.last(), "Please stand by...");
}

TEST(BatchSummary, ARunThatFailsToStartLeavesTheNextOneWatched)
{
    ConsoleSession session;
    const QString results = session.home() + "/out.json";
    session.start("ft 1\nst 16\nst 1\n", true, {"--json", results});
    const QStringList out = session.finish();
    EXPECT_TRUE(out.contains("Error occured: Overflow.")) << out.join('\n').toStdString();
    const QJsonArray runs = readJson(results)["runs"].toArray();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0]["test"].toInt(), 1);
    EXPECT_TRUE(runs[0]["conditions"].isObject());
    // Not a batch run: the console's lines alone.
    EXPECT_EQ(out.last(), "Please stand by...");
}

TEST(BatchSummary, ProcessesHoggingTheCoresEarnTheLoadWarning)
{
    // A busy child on each core takes about half the machine from a run of
    // one thread, far above the few per cent the warning allows.
    std::vector<std::unique_ptr<QProcess>> hogs;
    for (int i = 0; i < QThread::idealThreadCount(); ++i) {
        auto hog = std::make_unique<QProcess>();
        hog->start("sh", {"-c", "while :; do :; done"});
        ASSERT_TRUE(hog->waitForStarted());
        hogs.push_back(std::move(hog));
    }
    ConsoleSession session;
    const QString results = session.home() + "/out.json";
    session.startProgram({"--run", "4", "--threads", "1", "--json", results});
    const QStringList out = session.finish();
    for (const auto &hog : hogs) {
        hog->kill();
        hog->waitForFinished();
    }
    ASSERT_EQ(session.process().exitCode(), 0);
    const QJsonObject document = readJson(results);
    const QJsonObject run = document["runs"].toArray()[0].toObject();
    EXPECT_GT(run["conditions"].toObject()["otherProcessesShare"].toDouble(), 0.05);
    EXPECT_TRUE(warningKinds(run["warnings"].toArray()).contains("load")) << out.join('\n').toStdString();
    EXPECT_FALSE(out.filter(QRegularExpression("^  Other processes used [0-9.]+ % of the processor time: they took "
                                               "cores from the test\\.$"))
                     .isEmpty());
}
