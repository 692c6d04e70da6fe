// The program's command line and its start as a user meets them: the real
// program, its output, its standard error and its exit status.
#include "console_session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tarvik::testing;

namespace {

struct Ended {
    int status = -1;
    QString out;
    QString err;
};

Ended runProgram(ConsoleSession &session, const QStringList &arguments, const QString &input = {})
{
    session.startProgram(arguments, input);
    const QStringList out = session.finish();
    return {session.process().exitCode(), out.join('\n'),
            QString::fromLocal8Bit(session.process().readAllStandardError())};
}

} // namespace

TEST(ProgramStart, RequestsThatEndAtOnce)
{
    struct Case {
        QStringList arguments;
        int status;
        QString out; // the start of standard output
        QString err; // the start of standard error
    };
    // Opening a pipe for reading would wait for a writer for ever.
    const QTemporaryDir folder;
    const QString fifo = folder.path() + "/score.tks";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::vector<Case> cases = {
        {{"--help"}, 0, "Usage: tarvik [options] [score-file]", ""},
        {{"-h"}, 0, "Usage: tarvik [options] [score-file]", ""},
        {{"--version"}, 0, "tarvik 1.55", ""},
        {{"--bogus"}, 2, "", "tarvik: Unknown option 'bogus'.\nTry 'tarvik --help'"},
        {{"--run", "17"}, 2, "", "tarvik: --run needs a test number from 1 to 16"},
        {{"--run", "6", "--threads", "0"}, 2, "", "tarvik: --threads needs a count from 1 to 256"},
        {{"--quick"}, 2, "", "tarvik: --threads, --quick and --repeat go with --run"},
        {{"--run", "6", "--repeat", "often"}, 2, "", "tarvik: --repeat needs a count from 1 to 10000, or auto"},
        {{"--run", "6", "--repeat", "3", "--max-time", "30"}, 2, "", "tarvik: --max-time goes with --repeat auto"},
        {{"--run", "6", "--repeat", "auto", "--max-time", "0"},
         2,
         "",
         "tarvik: --max-time needs a number of seconds above 0, at most 86400"},
        {{"a.tks", "b.tks"}, 2, "", "tarvik: only one score file can be given"},
        {{"/nonexistent/score.tks"}, 1, "", "tarvik: cannot read the score file /nonexistent/score.tks: no such file"},
        {{"--console", "/"}, 1, "", "tarvik: cannot read the score file /: it is a folder"},
        {{"--console", fifo}, 1, "", "tarvik: cannot read the score file " + fifo + ": it is not a regular file"},
    };
    for (const Case &c : cases) {
        ConsoleSession session;
        const Ended ended = runProgram(session, c.arguments);
        const std::string which = c.arguments.join(' ').toStdString();
        EXPECT_EQ(ended.status, c.status) << which;
        EXPECT_TRUE(c.out.isEmpty() || ended.out.startsWith(c.out)) << which << ": " << ended.out.toStdString();
        EXPECT_TRUE(c.err.isEmpty() || ended.err.startsWith(c.err)) << which << ": " << ended.err.toStdString();
        if (c.status != 0) {
            EXPECT_TRUE(ended.out.isEmpty()) << which; // nothing starts
        }
    }
}

TEST(ProgramStart, HelpNamesEveryOptionAndTheExitStatus)
{
    ConsoleSession session;
    const Ended ended = runProgram(session, {"--help"});
    for (const char *text :
         {"--console", "--run <test>", "--threads <count>", "--quick", "--repeat <n>", "--max-time <seconds>",
          "--json <file>", "--history", "score-file", "Exit status:", "129", "130", "143"})
        EXPECT_TRUE(ended.out.contains(text)) << text;
}

TEST(ProgramStart, ScoreFileOnTheCommandLineIsFoundFromTheStartingFolder)
{
    ConsoleSession session;
    QFile score(session.home() + "/mine.tks");
    ASSERT_TRUE(score.open(QIODevice::WriteOnly));
    score.write("not a score file");
    score.close();
    session.process().setWorkingDirectory(session.home());
    const Ended ended = runProgram(session, {"--console", "mine.tks"});
    // Found and read from the starting folder, then refused for its content.
    EXPECT_EQ(ended.status, 1) << ended.err.toStdString();
    EXPECT_TRUE(ended.out.contains("Loading file mine.tks")) << ended.out.toStdString();
    EXPECT_TRUE(ended.out.contains("Invalid file format.")) << ended.out.toStdString();
}

TEST(ProgramStart, RelativeSavePathLandsInTheStartingFolder)
{
    ConsoleSession session;
    const QString folder = session.home() + "/work";
    ASSERT_TRUE(QDir().mkpath(folder));
    session.process().setWorkingDirectory(folder);
    const Ended ended = runProgram(session, {"--console"}, "ft 1\nst 1\nsave score.tks 1\n");
    EXPECT_EQ(ended.status, 0);
    EXPECT_TRUE(QFile::exists(folder + "/score.tks")) << ended.out.toStdString();
}

TEST(ProgramStart, UnreachableDisplayFallsBackToTheTerminal)
{
    ConsoleSession session;
    QProcessEnvironment environment = session.environment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("DISPLAY", ":4711"); // no server listens there
    session.setEnvironment(environment);
    const Ended ended = runProgram(session, {});
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.err, "tarvik: cannot connect to the display :4711; the console runs in the terminal.\n");
    EXPECT_TRUE(ended.out.startsWith("Welcome to Tarvik Benchmark v1.55.")) << ended.out.toStdString();
    EXPECT_TRUE(ended.out.endsWith("Please stand by...")) << ended.out.toStdString();
}

TEST(ProgramStart, NoRuntimeFolderMeansNoWarnings)
{
    ConsoleSession session;
    QProcessEnvironment environment = session.environment();
    environment.remove("XDG_RUNTIME_DIR");
    // The program's own stand-in lives in the temporary folder: a private one here.
    environment.insert("TMPDIR", session.home());
    session.setEnvironment(environment);
    const Ended ended = runProgram(session, {"--console"});
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.err, "");
    EXPECT_TRUE(ended.out.endsWith("Please stand by..."));
}
