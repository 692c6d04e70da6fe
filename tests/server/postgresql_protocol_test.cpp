#include "postgres_cluster.h"
#include "protocol_suite.h"
#include "submissions.h"

#include <gmock/gmock.h>

#include <memory>

namespace tarvik::server::testing {
namespace {

// One cluster for the whole run, since starting one takes seconds; started
// by the first test that needs it and stopped when the tests end.
std::unique_ptr<PostgresCluster> sharedCluster;

PostgresCluster &cluster()
{
    if (!sharedCluster)
        sharedCluster = std::make_unique<PostgresCluster>();
    return *sharedCluster;
}

class ClusterTeardown : public ::testing::Environment {
public:
    void TearDown() override { sharedCluster.reset(); }
};
const ::testing::Environment *const teardown = ::testing::AddGlobalTestEnvironment(new ClusterTeardown);

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

} // namespace tarvik::server::testing
