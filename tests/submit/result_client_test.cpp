// The client against loopback servers that misbehave: one that refuses, one
// that never completes the connection, one that never answers, one that
// answers in pieces.
#include "fake_submit_console.h"
#include "scripted_server.h"
#include "submit/result_client.h"
#include "submit/submit_message.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tarvik;
using namespace tarvik::submit;
using tarvik::testing::FakeSubmitConsole;
using tarvik::testing::ScriptedServer;
using namespace std::chrono_literals;

namespace {

const std::string UnableToConnect = "Unable to connect to server. Please check your internet connection.";
const std::string NoTimelyReply = "Server did not respond in a timely manner. There may be a problem with our "
                                  "server or your internet connection.";

// A loopback port that nothing listens on: connections are refused.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// A loopback listener whose queue is full and that never accepts: the next
// connection neither completes nor is refused.
class FullListener {
public:
    FullListener()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(m_listener, 0);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
        m_port = ntohs(address.sin_port);
        for (int &filler : m_fillers) {
            filler = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(filler, F_SETFL, O_NONBLOCK);
            ::connect(filler, reinterpret_cast<sockaddr *>(&address), sizeof address);
        }
    }
    ~FullListener()
    {
        for (int filler : m_fillers)
            ::close(filler);
        ::close(m_listener);
    }
    quint16 port() const { return m_port; }

private:
    int m_listener = -1;
    int m_fillers[3] = {-1, -1, -1};
    quint16 m_port = 0;
};

struct Recorded {
    std::vector<QUrl> urls;
    UrlOpener opener()
    {
        return [this](const QUrl &url) {
            urls.push_back(url);
            return true;
        };
    }
};

ServerAddress loopback(quint16 port)
{
    return {"127.0.0.1", port, 10280};
}

} // namespace

TEST(ResultClient, FailedConnectionHandsTheSubmissionToTheBrowser)
{
    struct Case {
        const char *name;
        bool fromGui;
        bool failedBefore;
        std::string result;
    } cases[] = {
        {"console", false, false, UnableToConnect},
        {"console, failed before", false, true, UnableToConnect},
        {"front end", true, false,
         "Your internet connection prohibits direct connection to the tarvik server. Your result will only be "
         "submitted to hwbot."},
        {"front end, failed before", true, true, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeSubmitConsole console;
        console.fromGui = c.fromGui;
        console.errorSetting = c.failedBefore;
        console.bestTimes.set(6, 0.007, true); // left out, and said so once only
        Recorded browser;
        ResultClient client(console, loopback(closedPort()), browser.opener());

        EXPECT_EQ(client.SendResults("Ann Lee", "a&b", false), c.result);
        // Only the browser submission speaks; the caller prints the result.
        EXPECT_EQ(console.lines, (std::vector<std::string>{"Test 6 was run in quick mode and is not submitted.",
                                                           "Submitting via HTTP"}));
        EXPECT_TRUE(console.http);
        EXPECT_TRUE(console.errorSetting);
        EXPECT_EQ(console.savedName, "Ann Lee");
        ASSERT_EQ(browser.urls.size(), 1u);
        EXPECT_EQ(browser.urls[0].toString(QUrl::FullyEncoded).toStdString(),
                  "http://127.0.0.1:10280/submit.cgi?SendStr=SUBMIT%01Ann%20Lee%01a%26b%01Intel%20Core%202%20Duo%"
                  "20E6600%012400%012%01");
        // From the front end the browser submission shows its (empty) text and
        // returns to the front end; the failed attempt does neither.
        EXPECT_EQ(console.messages, c.fromGui ? std::vector<std::string>{""} : std::vector<std::string>{});
        EXPECT_EQ(console.guiLines, c.fromGui ? 1 : 0);
        EXPECT_EQ(console.guiRuns, 0);
    }
}

TEST(ResultClient, ABrowserSubmissionConnectsNowhere)
{
    ScriptedServer server({"1 - result id = 5\r\n"});
    FakeSubmitConsole console;
    console.http = true;
    Recorded browser;
    ResultClient client(console, loopback(server.port()), browser.opener());
    EXPECT_EQ(client.SendResults("A", "", true), "");
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(browser.urls.size(), 1u);
    EXPECT_FALSE(console.errorSetting);
}

TEST(ResultClient, AConnectionThatNeverCompletesFailsAfterItsBound)
{
    FullListener listener;
    FakeSubmitConsole console;
    Recorded browser;
    ResultClient client(console, loopback(listener.port()), browser.opener(), {500ms, 500ms});
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(client.GetResult("5"), UnableToConnect);
    EXPECT_GE(timer.elapsed(), 450);
    EXPECT_LT(timer.elapsed(), 8000);
    EXPECT_EQ(client.SendResults("A", "", false), UnableToConnect);
    EXPECT_EQ(browser.urls.size(), 1u);
}

TEST(ResultClient, AServerThatNeverAnswersTimesOut)
{
    ScriptedServer server({});
    FakeSubmitConsole console;
    console.ids.set(6, 3);
    console.fromGui = true;
    ResultClient client(console, loopback(server.port()), Recorded().opener(), {5000ms, 500ms});
    EXPECT_EQ(client.SendResults("A", "", false), "");
    EXPECT_EQ(console.lines, (std::vector<std::string>{"Connected!", NoTimelyReply}));
    EXPECT_EQ(console.ids.get(6), 3);
    EXPECT_EQ(console.messages, std::vector<std::string>{""}); // the box and the way back still follow
    EXPECT_EQ(console.guiLines, 1);
    EXPECT_EQ(server.received(), QByteArray("SUBMIT\x01"
                                            "A\x01\x01"
                                            "Intel Core 2 Duo E6600\x01"
                                            "2400\x01"
                                            "2\x01"));

    console.lines.clear();
    EXPECT_EQ(client.GetResult("7"), "");
    EXPECT_EQ(console.lines, (std::vector<std::string>{"Connected!", NoTimelyReply}));
}

TEST(ResultClient, AReplyInPiecesIsReadWholeAndEachIdKeptUnderItsTest)
{
    const std::string reply = "Thank you.\r\n1 - result id = 41\r\n11 - result id = 42\r\n";
    ScriptedServer server({"Thank you.\r\n1 - res", "ult id = 41\r\n", "11 - result id = 42\r\n"});
    FakeSubmitConsole console;
    console.bestTimes.set(1, 0.5);
    console.bestTimes.set(11, 600.25);
    ResultClient client(console, loopback(server.port()), Recorded().opener());
    EXPECT_EQ(client.SendResults("A", "", false), reply);
    EXPECT_EQ(console.lines, std::vector<std::string>{"Connected!"});
    EXPECT_EQ(client.getSubmissionId(1), 41);
    EXPECT_EQ(client.getSubmissionId(11), 42);
    EXPECT_EQ(client.getSubmissionId(6), 0);
    EXPECT_EQ(server.received().toStdString(), BuildSubmit("A", "", console.hw, 2, console.bestTimes, '.'));
    EXPECT_FALSE(console.errorSetting);
}

TEST(ResultClient, ARecordThatCannotBeSentIsReportedAndTheFrontEndReturnsAtOnce)
{
    ScriptedServer server({"x"});
    FakeSubmitConsole console;
    console.bestTimes.set(6, 15.5);
    console.hw.hwbotcpu.clear(); // no checksum without a processor name
    console.fromGui = true;
    ResultClient client(console, loopback(server.port()), Recorded().opener());
    const std::string failed = "Missing Microsoft Winsock library. Please install using the command, "
                               "'install mswinsck.ocx' to be able to submit your scores.";
    EXPECT_EQ(client.SendResults("A", "", false), failed);
    EXPECT_EQ(console.messages, std::vector<std::string>{failed});
    EXPECT_EQ(console.guiRuns, 1);
    EXPECT_EQ(console.guiLines, 0);
    EXPECT_EQ(server.connections(), 0);
}

TEST(ResultClient, AnEndlessReplyIsCutAtItsBoundAndSaidSo)
{
    // Far more than the bound, written as fast as the client reads.
    const QList<QByteArray> flood(64, QByteArray(64 * 1024, 'x'));
    ScriptedServer server(flood, 1ms);
    FakeSubmitConsole console;
    ExchangeBounds bounds{5000ms, 20000ms};
    bounds.replyBytes = 100000;
    ResultClient client(console, loopback(server.port()), Recorded().opener(), bounds);
    const std::string shown = client.GetResult("7");
    EXPECT_EQ(shown,
              std::string(100000, 'x') + "\r\nThe server's reply was longer than 100000 bytes; the rest was dropped.");
}

TEST(ResultClient, ControlBytesOfAReplyAreShownAsEscapes)
{
    // A title change, a screen clear, a lone carriage return and an 8-bit
    // control sequence introducer, as a stored name could carry them.
    ScriptedServer server({"Submitter: \x1b]0;owned\x07\x1b[2J\rAnn\xc2\x9b"
                           "31m\r\n\tTime: 1 s\r\n"});
    FakeSubmitConsole console;
    ResultClient client(console, loopback(server.port()), Recorded().opener());
    EXPECT_EQ(client.GetResult("7"), "Submitter: \\x1B]0;owned\\x07\\x1B[2J\\x0DAnn\\u009B31m\r\n\tTime: 1 s\r\n");
}
