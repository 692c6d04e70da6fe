#include "storage/statement_cache.h"

#include "storage/sql_statement.h"

namespace tarvik::server {

QSqlQuery &StatementCache::run(const QString &statement, const QVariantList &values)
{
    std::unique_ptr<Entry> &entry = m_entries[statement];
    if (!entry) {
        entry = std::make_unique<Entry>(Entry{QSqlQuery(m_database)});
        entry->query.setForwardOnly(true);
    }
    runOn(entry->query, statement, values, entry->prepared);
    return entry->query;
}

void StatementCache::finishAll()
{
    for (auto &[statement, entry] : m_entries)
        entry->query.finish();
}

void StatementCache::clear()
{
    m_entries.clear();
}

} // namespace tarvik::server
