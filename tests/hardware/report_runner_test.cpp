// The report helper run for real: shell scripts in its place write a report,
// write none, crash, hang or leave an empty file.
#include "hardware/report_runner.h"

#include "fake_helper.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace tarvik;
using namespace std::chrono_literals;

namespace {

// A short countdown and two reads. The report wait stays long enough for a
// slow, loaded machine; only the test of a hanging helper shortens it.
constexpr ReportWaits TestWaits{20s, 1s, 10ms, 2};

const std::vector<std::string> StartLines = {
    "Gathering CPUz information",
    "Removing previous CPUid information",
    "Shelling CPUz",
    "Waiting for CPUz information",
    "Hold shift to abort",
    "Please stand by...",
};
const std::string ParseLine = "Parsing CPUz output file, this may take several minutes.";

std::vector<std::string> concat(std::vector<std::string> first, const std::vector<std::string> &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class ReportRunnerTest : public ::testing::Test {
protected:
    struct Outcome {
        std::vector<std::string> lines;
        std::string table;
    };

    // Runs `helperScript` in the helper's place, with a report of an earlier
    // run left in the folder that must never be taken for the new one.
    // `shiftHeld` is asked with the lines printed so far.
    Outcome collect(const QString &helperScript, bool executable = true,
                    std::function<bool(const std::vector<std::string> &)> shiftHeld = {}, ReportWaits waits = TestWaits)
    {
        leaveStaleReport();
        tarvik::testing::installFakeHelper(m_folder.path(), helperScript, executable);
        Outcome outcome;
        const auto abortRequested = [&outcome, shiftHeld] { return shiftHeld && shiftHeld(outcome.lines); };
        ReportRunner runner(m_folder.path(),
                            {[&outcome](const std::string &line) { outcome.lines.push_back(line); },
                             [] { QCoreApplication::processEvents(); }, abortRequested},
                            waits);
        outcome.table = runner.CollectCPUz().toString();
        return outcome;
    }

    void leaveStaleReport()
    {
        QFile stale(m_folder.path() + "/out.txt");
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("Processors Information\r\n--------\r\n\tCore Speed\t999 MHz\r\n");
    }

    QTemporaryDir m_folder;
};

} // namespace

TEST_F(ReportRunnerTest, RunsTheHelperWithItsReportPathAndParsesTheReport)
{
    const Outcome out =
        collect(R"(printf 'Processors Information\r\n--------\r\n\tArgument\t%s\r\n' "$1" > "$report")");

    const std::vector<std::string> expected = concat(StartLines, {"CPUz output complete", ParseLine});
    ASSERT_GE(out.lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(out.lines.begin(), out.lines.begin() + expected.size()), expected);
    EXPECT_NE(out.table.find("Processors Information.Argument=-txt=" + m_folder.path().toStdString() + "/out\r\n"),
              std::string::npos)
        << out.table;
    EXPECT_EQ(out.table.find("999 MHz"), std::string::npos);
}

TEST_F(ReportRunnerTest, HelperWithoutAReportEndsTheWaitAndSaysWhy)
{
    ReportWaits hangingHelper = TestWaits;
    hangingHelper.report = 500ms;
    struct Case {
        const char *script;
        bool executable;
        ReportWaits waits;
        const char *message;
    } cases[] = {
        {"exit 0", true, TestWaits, "CPUz ended without writing its report."},
        {"kill -SEGV $$", true, TestWaits, "CPUz ended without writing its report."},
        {"exec sleep 60", true, hangingHelper, "CPUz gave no output within 0.5 seconds. Giving up."},
        {"exit 0", false, TestWaits, "CPUz could not be started."},
    };
    for (const Case &c : cases) {
        const Outcome out = collect(QString::fromLatin1(c.script), c.executable, {}, c.waits);
        EXPECT_EQ(out.lines, concat(StartLines, {c.message, ParseLine})) << c.script;
        EXPECT_EQ(out.table, "") << c.script;
    }
}

TEST_F(ReportRunnerTest, EmptyReportIsReadAgainAfterACountdownThenGivenUp)
{
    const Outcome out = collect(R"(: > "$report")");
    EXPECT_EQ(out.lines,
              concat(StartLines, {"CPUz output complete", "CPUz output failed. Will reattempt. Hold shift to abort.",
                                  "Reattempting in 3", "Reattempting in 2", "Reattempting in 1",
                                  "CPUz output failed. Giving up.", ParseLine}));
    EXPECT_EQ(out.table, "");
}

TEST_F(ReportRunnerTest, ShiftEndsTheWaitsWithoutAWord)
{
    const Outcome waiting = collect("exec sleep 60", true, [](const auto &) { return true; });
    EXPECT_EQ(waiting.lines, concat(StartLines, {ParseLine}));
    EXPECT_EQ(waiting.table, "");

    // Held from the first failed read on: the countdown stops before its first line.
    const auto afterFailedRead = [](const std::vector<std::string> &lines) {
        return std::find(lines.begin(), lines.end(), "CPUz output failed. Will reattempt. Hold shift to abort.") !=
               lines.end();
    };
    const Outcome countdown = collect(R"(: > "$report")", true, afterFailedRead);
    EXPECT_EQ(countdown.lines,
              concat(StartLines,
                     {"CPUz output complete", "CPUz output failed. Will reattempt. Hold shift to abort.", ParseLine}));
    EXPECT_EQ(countdown.table, "");
}
