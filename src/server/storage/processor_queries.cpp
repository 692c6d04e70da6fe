#include "storage/processor_queries.h"

#include "storage/result_rows.h"
#include "storage/sql_statement.h"

#include <QStringList>

#include <algorithm>

namespace tarvik::server::processors {

namespace {

// CROSS JOIN: SQLite walks the processor's submissions and looks up their
// results, instead of every result in the order of the results table. The
// whole name is compared as substr(name, 1), as in best::sameGroup.
const QString ProcessorRows =
    QStringLiteral("submissions s CROSS JOIN results r WHERE r.submission_id = s.id AND substr(s.processor, 1, 200) = "
                   "substr(?, 1, 200) AND substr(s.processor, 1) = ? AND s.listed = 1 AND r.verdict = 'accepted'");

} // namespace

ProcessorResults processorResults(QSqlDatabase &database, const std::string &processor, int page, int pageSize)
{
    ProcessorResults results;
    results.processor = processor;
    results.page = page;
    results.pageSize = pageSize;
    const QVariantList name = {rows::text(processor), rows::text(processor)};
    QSqlQuery times =
        runStatement(database,
                     QStringLiteral("SELECT r.test, s.threads, r.seconds FROM %1 ORDER BY s.id DESC LIMIT ?")
                         .arg(ProcessorRows),
                     name + QVariantList{qint64(ProcessorResults::MostSamples)});
    while (times.next())
        results.samples.push_back({times.value(0).toInt(), times.value(1).toInt(), times.value(2).toDouble()});
    QSqlQuery entries = runStatement(database,
                                     QStringLiteral("SELECT %1 FROM %2 ORDER BY s.id DESC, r.id DESC LIMIT ? OFFSET ?")
                                         .arg(rows::ResultColumns, ProcessorRows),
                                     name + QVariantList{pageSize, qint64(page - 1) * pageSize});
    while (entries.next())
        results.entries.push_back(rows::readResult(entries));
    return results;
}

std::vector<StoredResult> listedResults(QSqlDatabase &database, const std::vector<std::int64_t> &ids)
{
    if (ids.empty())
        return {};
    QVariantList values;
    for (const std::int64_t id : ids)
        values.append(qint64(id));
    QSqlQuery found =
        runStatement(database,
                     QStringLiteral("SELECT %1 FROM %2 WHERE r.id IN (%3) AND r.verdict = 'accepted' AND s.listed = 1")
                         .arg(rows::ResultColumns, rows::ResultsWithSubmissions,
                              QStringList(values.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
                     values);
    std::vector<StoredResult> results;
    while (found.next())
        results.push_back(rows::readResult(found));
    std::sort(results.begin(), results.end(), [&](const StoredResult &a, const StoredResult &b) {
        return std::find(ids.begin(), ids.end(), a.id) < std::find(ids.begin(), ids.end(), b.id);
    });
    return results;
}

} // namespace tarvik::server::processors
