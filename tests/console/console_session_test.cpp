// The console as a user drives it: the real program in the terminal, fed
// lines on standard input.
#include "console_session.h"
#include "engine/available_memory.h"
#include "engine/run_plan.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tarvik::testing;

namespace {

QStringList run(const QString &input)
{
    ConsoleSession session;
    session.start(input);
    return session.finish();
}

} // namespace

TEST(ConsoleSession, StartsUpInOrderAndEndsWithTheInput)
{
    const QStringList out = run("");
    ASSERT_GE(out.size(), 3);
    EXPECT_EQ(out[0], "Welcome to Tarvik Benchmark v1.55.");
    EXPECT_EQ(out[1], "Stressing CPU to prevent false clock reading.");
    EXPECT_EQ(out[2], "Scanning System - Please stand by.");
    // The processor scan's lines depend on the machine; the rest follows its count.
    const qsizetype count = out.indexOf(QRegularExpression(R"(^\d+ CPU\(s\) detected\. Optimizing calculation\.$)"));
    ASSERT_GT(count, 2);
    ASSERT_GE(out.size(), count + 7);
    EXPECT_EQ(out[count + 1], "CPUz isn't installed. Please install for more accurate hardware information.");
    EXPECT_EQ(out[count + 2], "Initiating thread structure, please stand by.");
    EXPECT_EQ(out[count + 3], "Type help for instructions.");
    EXPECT_TRUE(out[count + 4].startsWith("Server set to: http://")) << out[count + 4].toStdString();
    EXPECT_EQ(out[count + 5], ">"); // the end of input answers the first prompt with exit
    EXPECT_EQ(out[count + 6], "Please stand by...");
    EXPECT_FALSE(out.join('\n').contains("Calculating sqrts")); // the preparation run is quiet
}

TEST(ConsoleSession, CommandsAnswerAsTheTableSays)
{
    struct Case {
        const char *line;
        QStringList reply;
    };
    const QString unregistered = "Unregistered command";
    const std::vector<Case> cases = {
        {"st", {"Invalid test"}},
        {"st 0", {"Invalid test"}},
        {"st 17", {"Invalid test"}},
        {"st 99999", {"Error occured: Overflow."}},
        {"pr", {"No current records set"}},
        {"pr 6", {"No record set"}},
        {"pr 20", {"Invalid Test"}},
        {"ft 257", {"Invalid count"}},
        {"ft 0", {"Invalid count"}},
        {"ft 2", {"Thread count set to 2"}},
        {"hserver", {"No server set, syntax: hserver <server>"}},
        {"hserver ", {"No server set, syntax: hserver <server>"}},
        {"hserver  ", {"Server set to: "}},
        {"gethserver", {""}},
        {"hserver http://example.test/x?", {"Server set to: http://example.test/x?"}},
        {"gethserver", {"http://example.test/x?"}},
        {"subhttp", {"subHTTP=False"}},
        {"subhttp", {"subHTTP=True"}},
        {"qm", {"qm=True"}},
        {"tc", {"Cache mode set to: True"}},
        {"tc", {"Cache mode set to: False"}},
        {"tserverx", {unregistered}},
        {"stx", {unregistered}},
        {" st 6", {unregistered}},
        {"", {unregistered}},
        {"lt", {}}, // answered by the next line
    };
    QString input;
    for (const Case &c : cases)
        input += QString::fromLatin1(c.line) + '\n';
    input += "abc\n"; // the menu's choice
    const auto all = replies(run(input));

    std::map<QString, int> seen;
    for (const Case &c : cases) {
        const QString line = QString::fromLatin1(c.line);
        const Reply &reply = replyTo(all, line, seen[line]++);
        if (line == "lt")
            continue;
        EXPECT_EQ(reply.lines, c.reply) << c.line;
    }
    const Reply &menu = replyTo(all, "lt");
    ASSERT_EQ(menu.lines.size(), 17);
    EXPECT_EQ(menu.lines[0], "Please select test.");
    EXPECT_EQ(menu.lines[6], "6.) 32M");
    EXPECT_EQ(replyTo(all, "abc").lines, QStringList{"Invalid Input"});
}

TEST(ConsoleSession, HelpInAnyCaseAndWithWordsAfterIt)
{
    const auto all = replies(run("HELP\nHelp\nhelp me\n"));
    for (const char *line : {"HELP", "Help", "help me"}) {
        const QStringList &text = replyTo(all, line).lines;
        ASSERT_EQ(text.size(), 49) << line;
        EXPECT_EQ(text[0], "tserver <address>");
        EXPECT_EQ(text[48], " - Clears all Tarvik settings and libraries.");
    }
}

TEST(ConsoleSession, TestNumbersRoundToEvenAndSkipBlanks)
{
    // Quick mode keeps the runs short; the announcement keeps the full count.
    const auto all = replies(run("qm\nst 6.5\nst 7.5\nst 1 6\nmenu\nlt\n 6\n"));
    EXPECT_EQ(replyTo(all, "st 6.5").lines.value(0), "Calculating sqrts of first 33554431 numbers.");
    EXPECT_EQ(replyTo(all, "st 7.5").lines.value(0), "Calculating sqrts of first 134217727 numbers.");
    EXPECT_EQ(replyTo(all, "st 1 6").lines.value(0), "Calculating sqrts of first 34359738367 numbers.");
    EXPECT_EQ(replyTo(all, "menu").lines, QStringList{"Unregistered command"});
    const QStringList choice = replyTo(all, " 6").lines;
    EXPECT_EQ(choice.value(0), "6");
    EXPECT_EQ(choice.value(1), "Calculating sqrts of first 33554431 numbers.");
}

TEST(ConsoleSession, ANulByteEndsANumber)
{
    const QString line = "ft 2" + QString(QChar(0)) + "2";
    const auto all = replies(run(line + "\n"));
    EXPECT_EQ(replyTo(all, line).lines, QStringList{"Thread count set to 2"});
}

TEST(ConsoleSession, LinesUpToOneMebibyteAreTakenWholeAndLongerOnesRefused)
{
    const QString longest = "hserver " + QString(1048576 - 8, 'x');
    const QString tooLong = "hserver " + QString(1048576 - 7, 'y');
    const QStringList out = run(longest + "\ngethserver\n" + tooLong + "\ngethserver\n");
    const auto all = replies(out);
    EXPECT_EQ(replyTo(all, longest).lines, QStringList{"Server set to: " + longest.mid(8)});
    EXPECT_EQ(replyTo(all, "", 0).lines, QStringList{"Line refused: longer than 1048576 bytes."});
    EXPECT_EQ(replyTo(all, "gethserver", 1).lines, QStringList{longest.mid(8)}); // nothing else happened
    EXPECT_FALSE(out.join('\n').contains("yyy"));
}

TEST(ConsoleSession, ThreeThreadSpeedTestPrintsItsRangesTimeAndRecord)
{
    const auto all = replies(run("ft 3\nst 6\npr 6\npr\n"));
    const QStringList out = replyTo(all, "st 6").lines;
    const QString text = out.join('\n');
    EXPECT_EQ(out.value(0), "Calculating sqrts of first 33554431 numbers.");
    for (const char *range : {"Thread 1 calculating from 0 to 11184810 in THREAD#",
                              "Thread 2 calculating from 11184810 to 22369621 in THREAD#",
                              "Thread 3 calculating from 22369621 to 33554431 in THREAD#"})
        EXPECT_TRUE(text.contains(range)) << range;
    for (int thread = 1; thread <= 3; ++thread)
        EXPECT_TRUE(text.contains(QString("Thread %1 complete with 0 errors!").arg(thread)));
    const QRegularExpression completed("^Process completed in (\\d+(\\.\\d+)?) seconds\\.$");
    const QRegularExpressionMatch match = completed.match(out.value(out.size() - 2));
    ASSERT_TRUE(match.hasMatch()) << out.value(out.size() - 2).toStdString();
    EXPECT_EQ(out.last(), "Test completed successfully.");
    EXPECT_EQ(replyTo(all, "pr 6").lines, QStringList{"Record for test 6: " + match.captured(1)});
    EXPECT_EQ(replyTo(all, "pr").lines, QStringList{"Record for test 6: " + match.captured(1) + " seconds"});
}

TEST(ConsoleSession, CacheModeVerifiesEveryWorkersResults)
{
    const auto all = replies(run("ft 2\ntc\nst 1\n"));
    const QStringList out = replyTo(all, "st 1").lines;
    for (int thread = 1; thread <= 2; ++thread) {
        const int begin = out.indexOf(QString("Verifying results for thread %1").arg(thread));
        const int end = out.indexOf(QString("Verification Complete for thread %1").arg(thread));
        ASSERT_GE(begin, 0);
        ASSERT_EQ(end, begin + 5);
        for (int k = 1; k <= 4; ++k)
            EXPECT_TRUE(out[begin + k].startsWith(QString("Verification is %1% complete @ ").arg(20 * k)));
    }
    EXPECT_FALSE(out.join('\n').contains("WARNING"));
    EXPECT_EQ(out.last(), "Test completed successfully.");
}

TEST(ConsoleSession, ACacheModeRunLargerThanMemoryIsRefused)
{
    const std::optional<std::uint64_t> available = tarvik::availableMemory();
    const std::uint64_t needed = tarvik::cacheModeBytes(tarvik::rangeEnd(12, false));
    if (!available || *available >= needed)
        GTEST_SKIP() << "this machine has the memory for the 2048M test in cache mode";
    const auto all = replies(run("st 1\ntc\nst 12\npr\n"));
    EXPECT_EQ(replyTo(all, "st 12").lines,
              (QStringList{"Calculating sqrts of first 2147483647 numbers.", "Error occured: Out of memory."}));
    EXPECT_EQ(replyTo(all, "pr").lines.size(), 1); // the session and its record go on
    EXPECT_TRUE(replyTo(all, "pr").lines.value(0).startsWith("Record for test 1: "));
}

TEST(ConsoleSession, LinesTypedDuringARunWaitForTheNextPrompt)
{
    ConsoleSession session;
    session.start("qm\nst 6\npr 6\n", false);
    ASSERT_TRUE(session.waitForLine("Calculating sqrts"));
    session.process().write("pr\n");
    session.closeInput();
    const auto all = replies(session.finish());
    EXPECT_TRUE(replyTo(all, "pr 6").lines.value(0).startsWith("Record for test 6: "));
    EXPECT_TRUE(replyTo(all, "pr").lines.value(0).startsWith("Record for test 6: "));
}

TEST(ConsoleSession, SecondLaunchEndsAtOnceWhileTheFirstRuns)
{
    ConsoleSession first;
    first.start("", false);
    ASSERT_TRUE(first.waitForLine("Type help for instructions."));
    QProcess second;
    second.setProcessEnvironment(first.environment());
    second.start(QStringLiteral(TARVIK_BINARY), {"--console"});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("already running"));
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    first.closeInput();
    first.finish();
}

TEST(ConsoleSession, GarbageNeverEndsTheProgram)
{
    QString input;
    const char *lines[] = {"\x01\x02",  "st -", "ft 1e308", "pr &HFFFFFFFFF", "st 6e", "ft -0.5",
                           "pr 1d9999", "lt",   "",         "st ..",          "qm qm", "exit now"};
    for (const char *line : lines)
        input += QString::fromLatin1(line) + '\n';
    const QStringList out = run(input);
    const auto all = replies(out);
    ASSERT_EQ(all.size(), std::size(lines));
    for (const Reply &reply : all) {
        const bool answersAtOnce = reply.command != "lt" && reply.command != "exit now";
        EXPECT_TRUE(!answersAtOnce || !reply.lines.isEmpty()) << reply.command.toStdString();
    }
    EXPECT_EQ(out.last(), "Please stand by...");
}
