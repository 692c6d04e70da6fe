#include "shared_cluster.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvik::server::testing {

namespace {

std::unique_ptr<PostgresCluster> running;

class ClusterTeardown : public ::testing::Environment {
public:
    void TearDown() override { running.reset(); }
};
const ::testing::Environment *const teardown = ::testing::AddGlobalTestEnvironment(new ClusterTeardown);

} // namespace

PostgresCluster &sharedCluster()
{
    if (!running)
        running = std::make_unique<PostgresCluster>();
    return *running;
}

} // namespace tarvik::server::testing
