#pragma once

#include "pgbouncer.h"
#include "postgres_cluster.h"

namespace tarvik::server::testing {

// One PostgreSQL cluster for the whole run, since starting one takes
// seconds, and one PgBouncer in front of it: each started by the first test
// that needs it and stopped when the tests end.
PostgresCluster &sharedCluster();
PgBouncer &sharedPooler();

} // namespace tarvik::server::testing
