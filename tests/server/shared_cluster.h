#pragma once

#include "postgres_cluster.h"

namespace tarvik::server::testing {

// One cluster for a whole test process, since starting one takes seconds;
// started by the first test that needs it and stopped when the tests end.
PostgresCluster &sharedCluster();

} // namespace tarvik::server::testing
