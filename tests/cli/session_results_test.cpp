// What a session leaves behind: the results file, the history, the exit
// status, also when a signal ends it. The real program in batch runs.
#include "console_session.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>

using namespace tarvik::testing;

namespace {

// The time of "Process completed in <t> seconds." lines, as printed.
QStringList printedTimes(const QStringList &out)
{
    QStringList times;
    const QRegularExpression completed("^Process completed in ([0-9.,]+) seconds\\.$");
    for (const QString &line : out)
        if (const QRegularExpressionMatch match = completed.match(line); match.hasMatch())
            times << match.captured(1);
    return times;
}

} // namespace

TEST(SessionResults, BatchRunWritesItsRunToTheResultsFile)
{
    ConsoleSession session;
    QProcessEnvironment environment = session.environment();
    environment.insert("LC_ALL", "de_DE.UTF-8"); // a decimal comma on the console, never in the file
    session.setEnvironment(environment);
    session.process().setWorkingDirectory(session.home());
    session.startProgram({"--console", "--run", "1", "--threads", "2", "--json", "out.json"});
    const QStringList out = session.finish();
    EXPECT_EQ(session.process().exitCode(), 0);
    // The batch run's summary follows the console's last line.
    EXPECT_EQ(out.value(out.indexOf("Summary of test 1: 1 run without errors") - 2), "Please stand by...");
    const QStringList times = printedTimes(out);
    ASSERT_EQ(times.size(), 1) << out.join('\n').toStdString();

    const QJsonObject results = readJson(session.home() + "/out.json");
    EXPECT_EQ(results["version"].toString(), "1.55");
    EXPECT_EQ(results["exitStatus"].toInt(-1), 0);
    EXPECT_TRUE(QDateTime::fromString(results["started"].toString(), Qt::ISODateWithMs).isValid());
    EXPECT_FALSE(results["hardware"].toObject()["hwbotcpu"].toString().isEmpty());
    const QJsonArray runs = results["runs"].toArray();
    ASSERT_EQ(runs.size(), 1);
    const QJsonObject run = runs[0].toObject();
    EXPECT_EQ(run["test"].toInt(), 1);
    EXPECT_EQ(run["numbers"].toDouble(), 1048576);
    EXPECT_EQ(run["threads"].toInt(), 2);
    EXPECT_FALSE(run["quickMode"].toBool(true));
    EXPECT_FALSE(run["cacheMode"].toBool(true));
    EXPECT_FALSE(run["errors"].toBool(true));
    EXPECT_TRUE(run["newRecord"].toBool());
    EXPECT_TRUE(QRegularExpression("^[0-9A-F]{1,8}$").match(run["checksum"].toString()).hasMatch());
    // The file keeps the full time; the console shows it to three decimals.
    const double seconds = run["seconds"].toDouble();
    QString shown = QString::number(std::nearbyint(seconds * 1000) / 1000, 'g', 15);
    EXPECT_EQ(shown.replace('.', ','), times[0]);
}

TEST(SessionResults, HistoryKeepsTheRunsOfEverySessionFastestFirst)
{
    ConsoleSession first;
    first.startProgram({"--run", "2", "--quick", "--repeat", "2"});
    first.finish();
    ConsoleSession second;
    second.setEnvironment(first.environment());
    second.startProgram({"--run", "1", "--quick"});
    second.finish();

    QFile history(first.home() + "/data/Morlo/Tarvik/history.jsonl");
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = history.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    for (const QByteArray &line : lines) {
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        EXPECT_TRUE(entry["date"].isString());
        EXPECT_TRUE(entry["hardware"].isObject());
    }

    ConsoleSession table;
    table.setEnvironment(first.environment());
    table.startProgram({"--history"});
    const QStringList out = table.finish();
    EXPECT_EQ(table.process().exitCode(), 0);
    // Heading, test 1, gap, two runs of test 2; gap, heading, test 1, test 2.
    ASSERT_EQ(out.size(), 9) << out.join('\n').toStdString();
    EXPECT_TRUE(out[0].startsWith("Test  Seconds"));
    EXPECT_TRUE(out[1].startsWith("1 "));
    EXPECT_EQ(out[2], "");
    const auto seconds = [](const QString &row) {
        return row.section(' ', 1, 1, QString::SectionSkipEmpty).toDouble();
    };
    EXPECT_TRUE(out[3].startsWith("2 ") && out[4].startsWith("2 "));
    EXPECT_LE(seconds(out[3]), seconds(out[4]));
    EXPECT_EQ(out[5], "");
    EXPECT_TRUE(out[6].startsWith("Test  Mode         Runs  Median       Minimum      Spread    Processor"));
    EXPECT_TRUE(out[7].startsWith("1     quick        1     ")) << out[7].toStdString();
    EXPECT_TRUE(out[7].contains(" -  ")); // one run has no spread
    EXPECT_TRUE(out[8].startsWith("2     quick        2     ")) << out[8].toStdString();
    EXPECT_TRUE(QRegularExpression(" [0-9]+\\.[0-9] % ").match(out[8]).hasMatch()) << out[8].toStdString();
}

TEST(SessionResults, SignalDuringARunEndsInOrder)
{
    // SIGHUP is what a closed terminal sends.
    const struct {
        int signalNumber;
        int status;
        QString name;
    } cases[] = {{SIGTERM, 143, "SIGTERM"}, {SIGINT, 130, "SIGINT"}, {SIGHUP, 129, "SIGHUP"}};
    for (const auto &[signalNumber, status, name] : cases) {
        ConsoleSession session;
        const QString results = session.home() + "/out.json";
        session.startProgram({"--run", "6", "--threads", "1", "--repeat", "50", "--json", results});
        ASSERT_TRUE(session.waitForLine("Calculating sqrts"));
        ::kill(static_cast<pid_t>(session.process().processId()), signalNumber);
        const QStringList out = session.finish();
        EXPECT_EQ(session.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(session.process().exitCode(), status);
        EXPECT_TRUE(out.contains("Test interrupted by " + name + ".")) << out.join('\n').toStdString();
        EXPECT_EQ(out.last(), "Please stand by...");
        EXPECT_EQ(readJson(results)["exitStatus"].toInt(), status);
        EXPECT_TRUE(QDir(session.home() + "/runtime").isEmpty()) << "the instance lock is left behind";
    }
}

TEST(SessionResults, BatchRunThatCannotDeliverFailsTheSession)
{
    struct Case {
        QStringList arguments;
        QString out; // a line of standard output
        QString err; // the start of standard error
    };
    const std::vector<Case> cases = {
        // Test 16 does not fit one worker's range: the run never starts.
        {{"--run", "16", "--threads", "1"}, "Error occured: Overflow.", ""},
        {{"--run", "1", "--quick", "--json", "/nonexistent/out.json"},
         "Test completed successfully.",
         "tarvik: cannot write the results to /nonexistent/out.json: "},
    };
    for (const Case &c : cases) {
        ConsoleSession session;
        session.startProgram(c.arguments);
        const QStringList out = session.finish();
        const std::string which = c.arguments.join(' ').toStdString();
        EXPECT_EQ(session.process().exitCode(), 1) << which;
        EXPECT_TRUE(out.contains(c.out)) << which;
        EXPECT_TRUE(session.process().readAllStandardError().startsWith(c.err.toUtf8())) << which;
    }
}
