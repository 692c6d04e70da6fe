#include "protocol_suite.h"
#include "shared_cluster.h"
#include "submissions.h"

#include <gmock/gmock.h>

#include <chrono>

namespace tarvik::server::testing {
namespace {

QString newPostgresDatabase(const QTemporaryDir &)
{
    return cluster().createDatabase();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(PostgreSQL, ProtocolTest, ::testing::Values(Backend{"PostgreSQL", newPostgresDatabase}),
                         [](const auto &info) { return std::string(info.param.name); });

// The server keeps running while the database is away, says so, and stores
// again once it is back.
TEST(PostgreSQLOutage, AnswersUnavailableAndRecovers)
{
    ServerProcess server(cluster().createDatabase());
    server.start();
    const std::string message = submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}});
    ASSERT_EQ(resultIds(exchange(server.tcpPort(), message)).size(), 1u);

    cluster().stop();
    const std::string unavailable =
        "The result database is unavailable; nothing was stored or read. Please try again later.\r\n";
    EXPECT_EQ(exchange(server.tcpPort(), message), unavailable);
    EXPECT_EQ(exchange(server.tcpPort(), getMessage("1")), unavailable);

    cluster().start();
    EXPECT_EQ(resultIds(exchange(server.tcpPort(), message)).size(), 1u);
    EXPECT_THAT(exchange(server.tcpPort(), getMessage("1")), ::testing::HasSubstr("Submitter: Ann\r\n"));
}

// A database that hangs with its connections open (its processes stopped)
// holds no client beyond the connection time limit, on either side; once it
// goes on, so does the server.
TEST(PostgreSQLOutage, AFrozenDatabaseIsToldWithinTheConnectionTimeLimit)
{
    ServerProcess server(cluster().createDatabase(), {QStringLiteral("--connection-time-limit"), QStringLiteral("3000")});
    server.start();
    const std::string message = submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}});
    ASSERT_EQ(resultIds(exchange(server.tcpPort(), message)).size(), 1u);
    const std::string page = "GET / HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n";
    ASSERT_THAT(exchange(server.httpPort(), page), ::testing::StartsWith("HTTP/1.1 200 "));

    struct Thaw {
        ~Thaw() { cluster().thaw(); }
    } thawAtTheEnd;
    cluster().freeze();
    const std::string silent = "The result database did not answer in time; a submission may still be stored: "
                               "look for it on the leaderboard before sending it again.\r\n";
    // Each answer comes at the limit; the bound leaves room for a loaded machine.
    auto within = [](auto exchangeOnce) {
        const auto begun = std::chrono::steady_clock::now();
        const std::string answer = exchangeOnce();
        EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(8));
        return answer;
    };
    EXPECT_EQ(within([&] { return exchange(server.tcpPort(), message); }), silent);
    EXPECT_EQ(within([&] { return exchange(server.tcpPort(), getMessage("1")); }), silent);
    EXPECT_THAT(within([&] { return exchange(server.httpPort(), page); }),
                ::testing::StartsWith("HTTP/1.1 503 Service Unavailable\r\n"));

    cluster().thaw();
    EXPECT_EQ(resultIds(exchange(server.tcpPort(), message)).size(), 1u);
}

} // namespace tarvik::server::testing
