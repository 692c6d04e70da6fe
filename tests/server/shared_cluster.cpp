#include "shared_cluster.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvik::server::testing {
namespace {

std::unique_ptr<PostgresCluster> sharedCluster;
std::unique_ptr<PostgresCluster> sharedStandby;

class ClusterTeardown : public ::testing::Environment {
public:
    void TearDown() override
    {
        sharedStandby.reset();
        sharedCluster.reset();
    }
};
const ::testing::Environment *const teardown = ::testing::AddGlobalTestEnvironment(new ClusterTeardown);

} // namespace

PostgresCluster &cluster()
{
    if (!sharedCluster)
        sharedCluster = std::make_unique<PostgresCluster>();
    return *sharedCluster;
}

PostgresCluster &standby()
{
    if (!sharedStandby)
        sharedStandby = cluster().makeStandby();
    return *sharedStandby;
}

} // namespace tarvik::server::testing
