#pragma once

#include "postgres_cluster.h"

namespace tarvik::server::testing {

// The PostgreSQL cluster of the whole test run, and a hot standby of it:
// each made by the first test that needs it, since that takes seconds, and
// stopped and removed when the tests end.
PostgresCluster &cluster();
PostgresCluster &standby();

} // namespace tarvik::server::testing
