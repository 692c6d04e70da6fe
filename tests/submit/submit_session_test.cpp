// Submission as a user does it in the terminal: the real program, the real
// result server on loopback.
#include "console_session.h"
#include "server_process.h"

#include <QFile>
#include <QTcpServer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvik::testing;
using tarvik::server::testing::ServerProcess;

namespace {

QString addressOf(const ServerProcess &server)
{
    return QString("127.0.0.1:%1:%2").arg(server.tcpPort()).arg(server.httpPort());
}

QStringList run(ConsoleSession &session, const QString &input)
{
    session.start(input);
    return session.finish();
}

} // namespace

TEST(SubmitSession, SendAQuickTestThenLookItUp)
{
    QTemporaryDir folder;
    ServerProcess server(folder.filePath("results.sqlite"));
    ASSERT_NO_THROW(server.start());
    const QString address = addressOf(server);

    ConsoleSession first;
    const auto sent = replies(run(first, "tserver " + address + "\ngettserver\nsubhttp\nst 1\nsend\nAnn\nfirst run\n"));
    EXPECT_EQ(replyTo(sent, "tserver " + address).lines, QStringList{"Server set to: " + address});
    EXPECT_EQ(replyTo(sent, "gettserver").lines, QStringList{address});
    EXPECT_EQ(replyTo(sent, "send").lines, QStringList{"Please enter a name to submit your score under:"});
    EXPECT_EQ(replyTo(sent, "Ann").lines, QStringList{"Please enter a brief description to submit your score under:"});
    const QStringList answer = replyTo(sent, "first run").lines;
    EXPECT_EQ(answer.value(0), "Connected!");
    const QRegularExpressionMatch id = QRegularExpression(R"(^1 - result id = (\d+)\r$)").match(answer.value(1));
    ASSERT_TRUE(id.hasMatch()) << answer.join('\n').toStdString();

    // A later run, in a comma locale: ids are whole numbers either way.
    ConsoleSession second;
    QProcessEnvironment environment = second.environment();
    environment.insert("LC_ALL", "de_DE.UTF-8");
    second.process().setProcessEnvironment(environment);
    const QString get = "get " + id.captured(1);
    const auto looked = replies(run(second, "tserver " + address + "\n" + get + "\nget 12.5\n"));
    const QString stored = replyTo(looked, get).lines.join('\n');
    EXPECT_TRUE(stored.startsWith("Connected!\nResult: " + id.captured(1) + "\r\n")) << stored.toStdString();
    EXPECT_TRUE(stored.contains("Submitter: Ann\r\n")) << stored.toStdString();
    EXPECT_TRUE(stored.contains("Description: first run\r\n")) << stored.toStdString();
    EXPECT_EQ(replyTo(looked, "get 12.5").lines, QStringList{"Invalid ID"});
}

TEST(SubmitSession, AFailedConnectionLeavesTheBrowserSubmissionOn)
{
    QTcpServer closed; // a port nothing listens on once it is closed
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();

    ConsoleSession session;
    const QString address = QString("127.0.0.1:%1").arg(port);
    const auto all = replies(run(session, "tserver " + address + "\nsubhttp\nsend\nAnn Lee\nx&y\nget 3\nsubhttp\n"));
    const QStringList failed = replyTo(all, "x&y").lines;
    ASSERT_EQ(failed.size(), 3) << failed.join('\n').toStdString();
    EXPECT_EQ(failed[0], "Submitting via HTTP");
    // Without a desktop no browser starts; the address is left for the user.
    EXPECT_TRUE(failed[1].startsWith("No web browser could be started. The submission address is "
                                     "http://127.0.0.1:10280/submit.cgi?SendStr=SUBMIT%01Ann%20Lee%01x%26y%01"))
        << failed[1].toStdString();
    EXPECT_EQ(failed[2], "Unable to connect to server. Please check your internet connection.");
    EXPECT_EQ(replyTo(all, "get 3").lines,
              QStringList{"Unable to connect to server. Please check your internet connection."});
    EXPECT_EQ(replyTo(all, "subhttp", 1).lines, QStringList{"subHTTP=False"}); // the failure turned it on

    QFile settings(session.environment().value("XDG_CONFIG_HOME") + "/Morlo/Tarvik.conf");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains("Error=True"));
}

TEST(SubmitSession, AQuickModeRecordIsNeitherSentNorSavedUntilAFullRunReplacesIt)
{
    QTemporaryDir folder;
    ServerProcess server(folder.filePath("results.sqlite"));
    ASSERT_NO_THROW(server.start());
    const QString quickScore = folder.filePath("quick.tks");
    const QString fullScore = folder.filePath("full.tks");

    ConsoleSession session;
    const auto all = replies(run(session, "tserver " + addressOf(server) + "\nsubhttp\nqm\nst 1\npr 1\nsend\nAnn\n" +
                                              "quick run\nsave " + quickScore + " 1\nqm\nst 1\nsend\nfull run\nsave " +
                                              fullScore + " 1\n"));
    // The quick record stays in the session, but nothing of it goes out.
    EXPECT_TRUE(replyTo(all, "pr 1").lines.value(0).startsWith("Record for test 1: "));
    const QStringList quickSent = replyTo(all, "quick run").lines;
    ASSERT_GE(quickSent.size(), 2) << quickSent.join('\n').toStdString();
    EXPECT_EQ(quickSent[0], "Test 1 was run in quick mode and is not submitted.");
    EXPECT_EQ(quickSent[1], "Connected!");
    EXPECT_FALSE(quickSent.join('\n').contains("result id")) << quickSent.join('\n').toStdString();
    EXPECT_EQ(replyTo(all, "save " + quickScore + " 1").lines,
              QStringList{"Test 1 was run in quick mode; its time cannot be saved."});
    EXPECT_FALSE(QFile::exists(quickScore));

    // The full run is slower, yet its record replaces the quick one and goes out.
    const QStringList fullSent = replyTo(all, "full run").lines;
    ASSERT_GE(fullSent.size(), 2) << fullSent.join('\n').toStdString();
    EXPECT_EQ(fullSent[0], "Connected!");
    EXPECT_TRUE(QRegularExpression(R"(^1 - result id = \d+\r$)").match(fullSent[1]).hasMatch())
        << fullSent[1].toStdString();
    EXPECT_EQ(replyTo(all, "save " + fullScore + " 1").lines, QStringList{"Score Saved."});
    EXPECT_TRUE(QFile::exists(fullScore));
}
