#include "shared_cluster.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvik::server::testing {

namespace {

std::unique_ptr<PostgresCluster> cluster;
std::unique_ptr<PgBouncer> pooler;
std::unique_ptr<PostgresCluster> standby;

class ClusterTeardown : public ::testing::Environment {
public:
    void TearDown() override
    {
        pooler.reset();
        standby.reset();
        cluster.reset();
    }
};
const ::testing::Environment *const teardown = ::testing::AddGlobalTestEnvironment(new ClusterTeardown);

} // namespace

PostgresCluster &sharedCluster()
{
    if (!cluster)
        cluster = std::make_unique<PostgresCluster>();
    return *cluster;
}

PgBouncer &sharedPooler()
{
    if (!pooler)
        pooler = std::make_unique<PgBouncer>(sharedCluster().serverAddress());
    return *pooler;
}

PostgresCluster &sharedStandby()
{
    if (!standby)
        standby = sharedCluster().makeStandby();
    return *standby;
}

} // namespace tarvik::server::testing
