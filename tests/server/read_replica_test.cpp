// Pages read from a hot standby of the server's PostgreSQL database, while
// submissions and management go to the primary.
#include "eventually.h"
#include "older_schema.h"
#include "server_process.h"
#include "shared_cluster.h"
#include "submissions.h"
#include "tcp_client.h"

#include <gmock/gmock.h>

#include <memory>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace tarvik::server::testing {
namespace {

// Replay stays paused only as long as a test needs it, whatever it asserts.
struct PausedReplay {
    PausedReplay() { sharedStandby().pauseReplay(); }
    ~PausedReplay() { sharedStandby().resumeReplay(); }
};

std::size_t countOf(const std::string &text, const std::string &part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// A server on a fresh database of the shared cluster, its pages read from
// the standby's copy, which has replayed the server's schema.
class ReadReplica : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString database = sharedCluster().createDatabase();
        m_server = std::make_unique<ServerProcess>(
            database, QStringList{QStringLiteral("--read-database"), sharedStandby().sameDatabase(database)});
        m_server->start();
        sharedStandby().catchUp();
    }

    std::string submit(const std::string &submitter, double seconds)
    {
        return exchange(m_server->tcpPort(), submitMessage(submitter, "", reportMachine(), 4, {{6, seconds}}));
    }
    std::string web(const std::string &target) { return httpGet(m_server->httpPort(), target); }
    bool everyBoardShows(const std::string &submitter)
    {
        return web("/").find(submitter) != std::string::npos &&
               web("/api/results").find(submitter) != std::string::npos;
    }
    bool noBoardShows(const std::string &submitter)
    {
        return web("/").find(submitter) == std::string::npos &&
               web("/api/results").find(submitter) == std::string::npos;
    }

    std::unique_ptr<ServerProcess> m_server;
};

// While the standby holds its replay, the boards are its own (without the
// new result); the result's page, the link a confirmation gives, and the
// TCP GET answer from the primary at once.
TEST_F(ReadReplica, BoardsFollowTheStandbyAndANewResultPageAnswersAtOnce)
{
    std::int64_t id = 0;
    {
        PausedReplay paused;
        const std::map<int, std::int64_t> ids = resultIds(submit("Ann", 20.5));
        ASSERT_EQ(ids.size(), 1u);
        id = ids.at(6);
        EXPECT_TRUE(noBoardShows("Ann"));
        const std::string page = web("/score.cgi?id=" + std::to_string(id));
        EXPECT_THAT(page, StartsWith("HTTP/1.1 200 "));
        EXPECT_THAT(page, HasSubstr("Ann"));
        EXPECT_THAT(exchange(m_server->tcpPort(), getMessage(std::to_string(id))), HasSubstr("Submitter: Ann\r\n"));
    }
    EXPECT_TRUE(eventually([&] { return everyBoardShows("Ann"); }));
    EXPECT_THAT(web("/score.cgi?id=" + std::to_string(id + 1)), StartsWith("HTTP/1.1 404 "));
}

// Hiding writes the primary, so it works while the standby holds its
// replay; the boards drop the results once the standby has replayed it.
TEST_F(ReadReplica, HidingGoesToThePrimaryAndTheBoardsFollow)
{
    const std::optional<Management> key = managementIn(submit("Bea", 21.5));
    ASSERT_TRUE(key);
    ASSERT_TRUE(eventually([&] { return everyBoardShows("Bea"); }));
    {
        PausedReplay paused;
        const std::string manage = "/manage?submission=" + key->submission + "&key=" + key->key;
        EXPECT_THAT(web(manage), StartsWith("HTTP/1.1 200 "));
        EXPECT_THAT(httpExchange(m_server->httpPort(), "POST", "/manage",
                                 "submission=" + key->submission + "&key=" + key->key + "&action=hide"),
                    HasSubstr("1 result is hidden"));
        EXPECT_TRUE(everyBoardShows("Bea"));
    }
    EXPECT_TRUE(eventually([&] { return noBoardShows("Bea"); }));
}

// A standby that is down costs no page: they come from the primary, the log
// says so once, and once more when the standby is back.
TEST_F(ReadReplica, PagesAnswerFromThePrimaryWhileTheStandbyIsDown)
{
    const std::map<int, std::int64_t> ids = resultIds(submit("Cid", 22.5));
    ASSERT_EQ(ids.size(), 1u);
    {
        struct Restart {
            ~Restart() { sharedStandby().start(); }
        } restartAtTheEnd;
        sharedStandby().stop();
        for (int round = 0; round < 3; ++round) {
            EXPECT_TRUE(everyBoardShows("Cid"));
            EXPECT_THAT(web("/score.cgi?id=" + std::to_string(ids.at(6))), StartsWith("HTTP/1.1 200 "));
        }
        EXPECT_EQ(countOf(m_server->log(), "read database unavailable"), 1u) << m_server->log();
    }
    EXPECT_TRUE(eventually([&] {
        web("/");
        return m_server->log().find("read database answers again") != std::string::npos;
    })) << m_server->log();
}

// The tables and columns of a database and the schema version it records.
QString schemaOf(const QString &database)
{
    return sharedCluster().query(database,
                                 QStringLiteral("SELECT string_agg(table_name || '.' || column_name, ',' "
                                                "ORDER BY table_name, column_name) FROM information_schema.columns "
                                                "WHERE table_schema = 'public'")) +
           sharedCluster().query(database, QStringLiteral("SELECT to_regclass('tarvik_schema') IS NOT NULL"));
}

struct UnpreparedReadDatabase {
    const char *name;
    int version; // the schema version it is left at; 0: none, an empty database
};

class ReadDatabaseSchema : public ::testing::TestWithParam<UnpreparedReadDatabase> {};

// A read database behind the server's schema is refused with why, pages come
// from the primary, and the server leaves that database as it was.
TEST_P(ReadDatabaseSchema, AnOlderSchemaIsNeitherUpgradedNorRead)
{
    const QString readDatabase = sharedCluster().createDatabase();
    if (GetParam().version > 0) {
        ServerProcess preparing(readDatabase);
        preparing.start();
        preparing.stop();
        makeOlderSchema(readDatabase, GetParam().version);
    }
    const QString before = schemaOf(readDatabase);
    ServerProcess server(sharedCluster().createDatabase(), {QStringLiteral("--read-database"), readDatabase});
    server.start();
    ASSERT_EQ(resultIds(exchange(server.tcpPort(), submitMessage("Dan", "", reportMachine(), 4, {{6, 23.5}}))).size(),
              1u);
    EXPECT_THAT(httpGet(server.httpPort(), "/"), HasSubstr("Dan"));
    EXPECT_THAT(server.log(), HasSubstr("the read-only database has schema version " +
                                        std::to_string(GetParam().version) + ", older than this server's"));
    EXPECT_EQ(schemaOf(readDatabase), before);
}

INSTANTIATE_TEST_SUITE_P(PostgreSQL, ReadDatabaseSchema,
                         ::testing::Values(UnpreparedReadDatabase{"Empty", 0}, UnpreparedReadDatabase{"Version2", 2}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvik::server::testing
