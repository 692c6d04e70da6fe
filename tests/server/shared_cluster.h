#pragma once

#include "pgbouncer.h"
#include "postgres_cluster.h"

namespace tarvik::server::testing {

// The PostgreSQL cluster of the whole test run, a PgBouncer in front of it
// and a hot standby of it: each made by the first test that needs it, since
// that takes seconds, and stopped and removed when the tests end.
PostgresCluster &sharedCluster();
PgBouncer &sharedPooler();
PostgresCluster &sharedStandby();

} // namespace tarvik::server::testing
