// The terminal has no front end: "gui" says so, and a score file given on
// the command line is loaded into the console instead of a viewer.
#include "console_session.h"
#include "hardware_texts.h"

#include "hardware/hardware_fields.h"
#include "records/score_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

QString writeFile(const QTemporaryDir &folder, const QString &name, const std::string &bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

std::string scoreOfTest11()
{
    HardwareFields hw;
    hw.hwbotcpu = "Test CPU T-3000 @ 3.00GHz";
    hw.hwbot_send_cpu = "Test CPU T-3000";
    hw.hwbotcpuclk = "3000";
    hw.CPU_info = cpuInfo("Test CPU T-3000", "3000", "7");
    hw.cpu_string = hardwareLines({"Test CPU T-3000", "3000 MHz"});
    return scoreFileBytes(hw, 7, 11, 95.125, '.');
}

TEST(TerminalFrontDoor, GuiSaysAWindowNeedsADisplay)
{
    ConsoleSession session;
    session.start("gui\n");
    const auto all = replies(session.finish());
    EXPECT_EQ(replyTo(all, "gui").lines, QStringList{"The graphical front end needs a display."});
    EXPECT_EQ(session.process().exitCode(), 0);
}

TEST(TerminalFrontDoor, AScoreFileOnTheCommandLineIsLoadedAndItsRecordShown)
{
    ConsoleSession session;
    QTemporaryDir folder;
    writeFile(folder, "good.tks", scoreOfTest11());
    // A relative path is taken from the folder the program starts in.
    session.process().setWorkingDirectory(folder.path());
    session.start("ft 3\n", true, {"good.tks"});
    const QStringList transcript = session.finish();
    EXPECT_TRUE(transcript.contains("Loading file good.tks"));
    const qsizetype loaded = transcript.indexOf("Score loaded.");
    ASSERT_GE(loaded, 0) << transcript.join('\n').toStdString();
    EXPECT_EQ(transcript.value(loaded + 1), "Record for test 11: 95.125 seconds");
    EXPECT_FALSE(transcript.join('\n').contains("CPU(s) detected"));
    EXPECT_EQ(replyTo(replies(transcript), "ft 3").lines, QStringList{"Thread count set to 3"});
    EXPECT_EQ(session.process().exitCode(), 0);
}

TEST(TerminalFrontDoor, ARefusedScoreFileEndsTheProgramWithAFailure)
{
    ConsoleSession session;
    QTemporaryDir folder;
    const QString file = writeFile(folder, "bad.tks", "not a score file");
    session.start("pr\n", false, {file});
    const QStringList transcript = session.finish();
    EXPECT_TRUE(transcript.contains("Invalid file format.")) << transcript.join('\n').toStdString();
    EXPECT_FALSE(transcript.join('\n').contains(">pr"));
    EXPECT_EQ(session.process().exitStatus(), QProcess::NormalExit);
    EXPECT_NE(session.process().exitCode(), 0);
}

} // namespace
