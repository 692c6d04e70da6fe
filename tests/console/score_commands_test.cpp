// Score files through the console: the real program saves and loads them
// with the "save" and "load" commands.
#include "comma_locale.h"
#include "console_session.h"
#include "hardware_texts.h"
#include "records/score_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

// The console's commands split at blanks, so the files live in a folder
// whose path has none.
class ScoreFolder {
public:
    ScoreFolder() { EXPECT_FALSE(m_dir.path().contains(' ')) << m_dir.path().toStdString(); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString write(const QString &name, const std::string &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path(name);
    }

    std::string read(const QString &name) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return "<unreadable>";
        return file.readAll().toStdString();
    }

private:
    QTemporaryDir m_dir;
};

// A machine unlike the one the tests run on, so that loaded fields cannot
// come from the program's own scan.
HardwareFields testMachine()
{
    HardwareFields hw;
    hw.hwbotcpu = "Intel(R) Test CPU T-3000 @ 3.00GHz";
    hw.hwbot_send_cpu = "Test CPU T-3000";
    hw.hwbotcpuclk = "3000";
    hw.CPU_info = cpuInfo("Test CPU T-3000", "3000", "8");
    hw.cpu_string = hardwareLines({"Test CPU T-3000", "3000 MHz"});
    hw.mem_type = "DDR4";
    hw.mem_size = "16 GB";
    hw.mem_freq = "1600.0";
    hw.mem_cas = "16";
    hw.mem_rcd = "18";
    hw.mem_rp = "18";
    hw.mem_tras = "36";
    hw.board_model = "T-Board";
    hw.board_vendor = "Test Boards Ltd";
    return hw;
}

HardwareFields otherMachine()
{
    HardwareFields hw = testMachine();
    hw.hwbotcpu = "AMD Other CPU";
    hw.hwbotcpuclk = "2400";
    hw.board_vendor = "Other Boards";
    return hw;
}

// An odd thread count, unlike a test machine's own, so that the runs show it
// came from the file.
constexpr std::int16_t FileThreads = 7;

std::vector<Reply> runConsole(const QStringList &lines)
{
    ConsoleSession session;
    session.start(lines.join('\n') + '\n');
    return replies(session.finish());
}

bool ranWithThreads(const Reply &run, int threads)
{
    const QString text = run.lines.join('\n');
    return text.contains(QString("Thread %1 calculating from").arg(threads)) &&
           !text.contains(QString("Thread %1 calculating from").arg(threads + 1));
}

} // namespace

TEST(ScoreCommands, AScoreSavedAfterARunLoadsBackInAFreshRun)
{
    ScoreFolder folder;
    const QString machine = folder.write("machine.tks", scoreFileBytes(testMachine(), FileThreads, 2, 7.25, '.'));

    // The first run takes its machine from a file, then makes a record of its
    // own, without quick mode: a quick-mode record is never saved.
    const auto first = runConsole({"load " + machine, "st 1", "pr 1", "save " + folder.path("saved.tks") + " 1"});
    ASSERT_GE(first.size(), 4u);
    EXPECT_EQ(first[0].lines, QStringList{"Score loaded."});
    EXPECT_TRUE(ranWithThreads(first[1], FileThreads));
    const QString record = first[2].lines.value(0);
    ASSERT_TRUE(record.startsWith("Record for test 1: ")) << record.toStdString();
    EXPECT_EQ(first[3].lines, QStringList{"Score Saved."});

    const std::string saved = folder.read("saved.tks");
    const LoadOutcome parsed = parseScoreFile(saved, '.');
    ASSERT_TRUE(parsed.score) << parsed.message;
    HardwareFields savedMachine;
    std::int16_t savedThreads = 0;
    Records savedRecords;
    parsed.score->applyTo(savedMachine, savedThreads, savedRecords);
    EXPECT_EQ(savedMachine, testMachine());
    EXPECT_EQ(savedThreads, FileThreads);
    EXPECT_EQ(parsed.score->test, 1);

    // A fresh run gets the same record, machine and thread count back: saved
    // again, they make the very same file.
    const auto second = runConsole(
        {"load \"" + folder.path("saved.tks") + "\"", "pr", "save " + folder.path("again.tks") + " 1", "qm", "st 1"});
    ASSERT_GE(second.size(), 5u);
    EXPECT_EQ(second[0].lines, QStringList{"Score loaded."});
    EXPECT_EQ(second[1].lines, QStringList{record + " seconds"});
    EXPECT_EQ(second[2].lines, QStringList{"Score Saved."});
    EXPECT_TRUE(folder.read("again.tks") == saved) << "record, machine fields or threads differ";
    EXPECT_TRUE(ranWithThreads(second[4], FileThreads));
}

TEST(ScoreCommands, SaveNeedsAPathAndATestNumberInTheUsersLocale)
{
    ScoreFolder folder;
    const QStringList syntax = {"Syntax: save path testnumber",
                                "Test number denoted by log(2,(<number of sqrts>/1024))-9.",
                                "Enter 6 for 32M, 11 for 1024M."};
    const QString path = folder.path("a.tks");
    struct Case {
        QString line;
        QStringList reply;
    };
    const std::vector<Case> cases = {
        {"save", syntax},
        {"save a.tks", syntax},
        {"save " + path + " x", {"Error occured: Type mismatch."}},
        {"save " + path + "  6", {"Error occured: Type mismatch."}}, // two blanks: an empty test number
        {"save " + path + " 1.5.", {"Error occured: Type mismatch."}},
        {"save " + path + " 99999", {"Error occured: Overflow."}},
        {"save " + path + " 0.5", {"Subscript out of range"}}, // test 0: halves go to the even neighbour
        {"load", {"File not found"}},
    };
    QStringList lines;
    for (const Case &c : cases)
        lines << c.line;
    const auto all = runConsole(lines);
    ASSERT_GE(all.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(all[i].command, cases[i].line);
        EXPECT_EQ(all[i].lines, cases[i].reply) << cases[i].line.toStdString();
    }
    EXPECT_EQ(folder.read("a.tks"), "<unreadable>");
}

TEST(ScoreCommands, HostileFilesLeaveTheConsoleAsItWas)
{
    ScoreFolder folder;
    const QString machine = folder.write("machine.tks", scoreFileBytes(testMachine(), FileThreads, 2, 7.25, '.'));
    // Each would bring another machine, two threads and a record for test 3.
    const std::string other = scoreFileBytes(otherMachine(), 2, 3, 1.5, '.');
    std::string badChecksum = other;
    badChecksum[4205] = badChecksum[4205] == '1' ? '2' : '1'; // the checksum's first digit
    std::string badThreads = other;
    badThreads.replace(560, 4, "ab\x02\x02");
    std::string badThreadsAndChecksum = badChecksum;
    badThreadsAndChecksum.replace(560, 4, "999\x02");
    std::string badVersion = other;
    badVersion.replace(8, 8, "vers9999");

    struct Case {
        QString name;
        std::string bytes;
        QString message;
    };
    const std::vector<Case> cases = {
        {"magic.tks", "Xk" + other.substr(2), "Invalid file format."},
        {"version.tks", badVersion, "Unsupported file format (vers9999)."},
        {"checksum.tks", badChecksum, "Invalid checksum."},
        {"threads.tks", badThreads, "Type mismatch"},
        {"order.tks", badThreadsAndChecksum, "Invalid checksum."}, // the range is checked after the file is read
        {"index0.tks", scoreFileBytes(otherMachine(), 2, 0, 1.5, '.'), "Subscript out of range"},
        {"short.tks", other.substr(0, 4200), "Input past end of file"},
        {"empty.tks", "", "Input past end of file"},
    };
    QStringList lines = {"load " + machine, "save " + folder.path("before.tks") + " 2"};
    for (const Case &c : cases)
        lines << "load " + folder.write(c.name, c.bytes);
    lines << "load " + folder.path("missing.tks") << "pr"
          << "save " + folder.path("after.tks") + " 2"
          << "qm"
          << "st 1";
    const auto all = runConsole(lines);
    ASSERT_GE(all.size(), cases.size() + 7);

    EXPECT_EQ(all[0].lines, QStringList{"Score loaded."});
    EXPECT_EQ(all[1].lines, QStringList{"Score Saved."});
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(all[2 + i].lines, QStringList{cases[i].message}) << cases[i].name.toStdString();
    const std::size_t after = 2 + cases.size();
    EXPECT_EQ(all[after].lines, QStringList{"File not found"});
    EXPECT_EQ(all[after + 1].lines, QStringList{"Record for test 2: 7.25 seconds"});
    EXPECT_EQ(all[after + 2].lines, QStringList{"Score Saved."});
    EXPECT_TRUE(folder.read("after.tks") == folder.read("before.tks")) << "machine fields or threads changed";
    EXPECT_TRUE(ranWithThreads(all[after + 4], FileThreads));
}

TEST(ScoreCommands, AHugeRecordPrintsInFull)
{
    ScoreFolder folder;
    HardwareFields machine = testMachine();
    machine.hwbotcpuclk = "0"; // a clock of 0 keeps the checksum finite for any time
    const QString path = folder.write("huge.tks", scoreFileBytes(machine, FileThreads, 6, 1e306, '.'));
    const auto all = runConsole({"load " + path, "pr 6", "pr"});
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0].lines, QStringList{"Score loaded."});
    EXPECT_EQ(all[1].lines, QStringList{"Record for test 6: 1E+306"});
    EXPECT_EQ(all[2].lines, QStringList{"Record for test 6: 1E+306 seconds"});
}

TEST(ScoreCommands, ANulByteNeitherCutsAPathNorJoinsATestNumber)
{
    ScoreFolder folder;
    const QString nul(QChar(0));
    const auto all =
        runConsole({"save " + folder.path("a") + nul + "b.tks 6", "save " + folder.path("c.tks") + " 1" + nul + "1"});
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].lines, QStringList{"Bad file name"});
    EXPECT_EQ(all[1].lines, QStringList{"Error occured: Type mismatch."});
    EXPECT_EQ(folder.read("a"), "<unreadable>");
    EXPECT_EQ(folder.read("c.tks"), "<unreadable>");
}

TEST(ScoreCommands, SavingLeavesWhatIsNotARegularFileAsItIs)
{
    ScoreFolder folder;
    const QString pipe = folder.path("pipe");
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const auto all = runConsole({"save " + pipe + " 6", "save /dev/full 6"});
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].lines, QStringList{"Path/File access error"});
    EXPECT_EQ(all[1].lines, QStringList{"Disk full"});
    struct stat node {};
    ASSERT_EQ(::stat(pipe.toLocal8Bit().constData(), &node), 0);
    EXPECT_TRUE(S_ISFIFO(node.st_mode));
    ASSERT_EQ(::stat("/dev/full", &node), 0);
    EXPECT_TRUE(S_ISCHR(node.st_mode));
}

// Qt sets the C library's numeric locale from the environment; a file saved
// in one locale loads in another.
TEST(ScoreCommands, AScoreLoadsInACommaLocale)
{
    const std::string locales = CommaLocale::folder();
    if (locales.empty())
        GTEST_SKIP() << "localedef cannot generate " << CommaLocale::Name << " (is the locales package installed?)";
    ScoreFolder folder;
    HardwareFields machine = testMachine();
    machine.hwbotcpuclk = "3000.5";
    const QString path = folder.write("machine.tks", scoreFileBytes(machine, FileThreads, 2, 7.25, '.'));

    ConsoleSession session;
    QProcessEnvironment environment = session.environment();
    environment.remove("LC_ALL");
    environment.insert("LOCPATH", QString::fromStdString(locales));
    environment.insert("LC_NUMERIC", CommaLocale::Name);
    session.process().setProcessEnvironment(environment);
    session.start("load " + path + "\npr 2\n");
    const auto all = replies(session.finish());
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].lines, QStringList{"Score loaded."});
    EXPECT_EQ(all[1].lines, QStringList{"Record for test 2: 7,25"});
}
