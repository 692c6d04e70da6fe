#include "server_process.h"
#include "submissions.h"
#include "tcp_client.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace tarvik::server::testing {
namespace {

class HostileClients : public ::testing::Test {
protected:
    void SetUp() override { m_server.start(); }
    void TearDown() override
    {
        if (HasFailure())
            std::cerr << "tarvik-server log:\n" << m_server.log();
    }

    // The whole answer to `request`, sent as it is over a connection of its own.
    std::string rawHttp(const std::string &request)
    {
        TcpClient client(m_server.httpPort());
        client.send(request);
        return client.receiveAll();
    }
    std::string get(const std::string &target)
    {
        return rawHttp("GET " + target + " HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n");
    }

    QTemporaryDir m_folder;
    ServerProcess m_server{m_folder.filePath(QStringLiteral("results.sqlite"))};
};

std::string percentEncoded(const std::string &text)
{
    return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

// Client number `n` of an attack, from one of twenty loopback addresses, so
// that no address goes beyond its share of connections.
std::string attackerAddress(int n)
{
    return "127.0.0." + std::to_string(10 + n % 20);
}

// The bound is not a speed target: it only says that each answer came while
// every attacker still held its connection (the idle ones are let go after
// 5 s, the dripping ones after 10 s).
TEST_F(HostileClients, SlowAndIdleWebClientsDelayNoOneElse)
{
    std::vector<std::unique_ptr<TcpClient>> idle, dripping;
    for (int n = 0; n < 500; ++n)
        idle.push_back(std::make_unique<TcpClient>(m_server.httpPort(), attackerAddress(n).c_str()));
    for (int n = 0; n < 64; ++n)
        dripping.push_back(std::make_unique<TcpClient>(m_server.httpPort(), attackerAddress(n).c_str()));
    const std::string header = "GET / HTTP/1.1\r\nHost: test\r\nUser-Agent: " + std::string(100, 's') + "\r\n\r\n";
    std::atomic<bool> attacking{true};
    std::thread drip([&] {
        for (std::size_t at = 0; attacking && at < header.size(); ++at) {
            for (auto &client : dripping)
                client->send(header.substr(at, 1));
            for (int wait = 0; attacking && wait < 20; ++wait)
                std::this_thread::sleep_for(100ms);
        }
    });
    std::this_thread::sleep_for(500ms);

    const std::string message = submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}});
    auto answered = [begun = std::chrono::steady_clock::now()] {
        return std::chrono::steady_clock::now() - begun < 4s;
    };
    EXPECT_THAT(get("/"), StartsWith("HTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(answered());
    EXPECT_THAT(get("/submit.cgi?SendStr=" + percentEncoded(message)), HasSubstr("result id"));
    EXPECT_TRUE(answered());
    EXPECT_EQ(resultIds(exchange(m_server.tcpPort(), message)).size(), 1u);
    EXPECT_TRUE(answered());

    attacking = false;
    drip.join();
    // A request that never ends is answered at the connection time limit.
    EXPECT_THAT(dripping.front()->receiveAll(), StartsWith("HTTP/1.1 408 Request Timeout\r\n"));
}

TEST_F(HostileClients, OneAddressGetsOnlyItsShareOfConnections)
{
    std::vector<std::unique_ptr<TcpClient>> held;
    for (int n = 0; n < 300; ++n)
        held.push_back(std::make_unique<TcpClient>(m_server.tcpPort(), "127.0.0.10"));
    EXPECT_EQ(held.back()->receiveAll(), "The server is busy; please try again later.\r\n");
    EXPECT_EQ(resultIds(exchange(m_server.tcpPort(), submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}})))
                  .size(),
              1u);

    std::vector<std::unique_ptr<TcpClient>> web;
    for (int n = 0; n < 40; ++n)
        web.push_back(std::make_unique<TcpClient>(m_server.httpPort(), "127.0.0.11"));
    EXPECT_THAT(web.back()->receiveAll(), StartsWith("HTTP/1.1 429 Too Many Requests\r\n"));
    EXPECT_THAT(get("/"), StartsWith("HTTP/1.1 200 OK\r\n"));
}

TEST_F(HostileClients, AmbiguousFramingIsRefusedAndPipelinedRequestsAnsweredInOrder)
{
    EXPECT_THAT(rawHttp("GET / HTTP/1.1\r\nHost: t\r\nContent-Length: 0\r\nContent-Length: 5\r\n\r\n"),
                StartsWith("HTTP/1.1 400 Bad Request\r\n"));
    EXPECT_THAT(rawHttp("GET / HTTP/1.1\r\nHost: t\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n"),
                StartsWith("HTTP/1.1 400 Bad Request\r\n"));

    const std::string answers = rawHttp("GET /score.cgi?id=7 HTTP/1.1\r\nHost: t\r\n\r\n"
                                        "GET /nowhere HTTP/1.1\r\nHost: t\r\n\r\n"
                                        "GET / HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n");
    const auto first = answers.find("HTTP/1.1 404");
    const auto second = answers.find("HTTP/1.1 404", first + 1);
    const auto third = answers.find("HTTP/1.1 200");
    ASSERT_NE(third, std::string::npos) << answers;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_THAT(answers.substr(first, second - first), HasSubstr("There is no result with id 7."));
}

TEST_F(HostileClients, PagesForbidScriptsAndFramesAndTheLogShowsNoForgedLine)
{
    const std::string page = get("/%0aforged%20line%1b[2J");
    EXPECT_THAT(page, HasSubstr("\r\nContent-Security-Policy: default-src 'none';"));
    EXPECT_THAT(page, HasSubstr("\r\nX-Content-Type-Options: nosniff\r\n"));
    EXPECT_THAT(page, HasSubstr("\r\nX-Frame-Options: DENY\r\n"));
    EXPECT_THAT(m_server.log(), Not(HasSubstr("\nforged")));
    EXPECT_THAT(m_server.log(), Not(HasSubstr("\x1b")));
}

// A browser submission may be as long as any message (64 KiB), though its
// address then runs far beyond the 8 KB that many servers take.
TEST_F(HostileClients, TakesABrowserSubmissionUpToTheMessageLimit)
{
    const std::string message = submitMessage("Ann", std::string(30000, 'd'), reportMachine(), 4, {{6, 20.5}});
    EXPECT_THAT(get("/submit.cgi?SendStr=" + percentEncoded(message)), HasSubstr("result id"));
    const std::string tooLong = submitMessage("Ann", std::string(70000, 'd'), reportMachine(), 4, {{6, 20.5}});
    EXPECT_THAT(get("/submit.cgi?SendStr=" + percentEncoded(tooLong)), StartsWith("HTTP/1.1 413 "));
}

} // namespace
} // namespace tarvik::server::testing
