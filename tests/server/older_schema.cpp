#include "older_schema.h"

#include "sql_connection.h"

#include <vector>

namespace tarvik::server::testing {

namespace {

// What each version added, undone; index `v` takes version v + 1 back to v.
const std::vector<std::vector<const char *>> Undo = {
    {},
    {},
    {"DROP TABLE best_results", "DROP INDEX submissions_by_group"},
    {"DROP TABLE audit_log", "DROP INDEX results_by_checksum", "DROP INDEX results_by_verdict",
     "DROP INDEX submissions_by_band", "ALTER TABLE results DROP COLUMN verdict",
     "ALTER TABLE results DROP COLUMN rule", "ALTER TABLE results DROP COLUMN reason",
     "ALTER TABLE results DROP COLUMN rules_version", "ALTER TABLE submissions DROP COLUMN listed",
     "ALTER TABLE submissions DROP COLUMN key_hash"},
    {"DROP TABLE address_rate"},
    {"DROP INDEX submissions_by_processor", "DROP INDEX best_results_by_date", "DROP INDEX results_of_submission"},
};

} // namespace

void makeOlderSchema(const QString &database, int version)
{
    SqlConnection connection(database);
    for (int from = static_cast<int>(Undo.size()); from > version; --from)
        for (const char *statement : Undo[static_cast<std::size_t>(from - 1)])
            connection.run(QString::fromLatin1(statement));
    connection.run(QStringLiteral("UPDATE tarvik_schema SET version = %1").arg(version));
}

} // namespace tarvik::server::testing
