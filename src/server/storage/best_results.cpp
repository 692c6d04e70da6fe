#include "storage/best_results.h"

#include "storage/result_rows.h"
#include "storage/sql_statement.h"

namespace tarvik::server::best {

namespace {

QVariantList groupValues(const Group &group)
{
    return {group.submitter, group.processor, group.submitter, group.processor};
}

} // namespace

// The whole names are compared as substr(name, 1), the whole text: SQLite
// would put the bound value of a plain "name = ?" in place of the column
// inside the indexed substr() too, and then no longer find the index.
QString sameGroup(const QString &alias)
{
    return QStringLiteral("substr(%1.submitter, 1, 200) = substr(?, 1, 200) AND "
                          "substr(%1.processor, 1, 200) = substr(?, 1, 200) AND substr(%1.submitter, 1) = ? AND "
                          "substr(%1.processor, 1) = ?")
        .arg(alias);
}

void keep(StatementCache &statements, const Group &group, std::int64_t id, double seconds)
{
    QSqlQuery &best =
        statements.run(QStringLiteral("SELECT result_id, seconds FROM best_results b WHERE b.test = ? AND ") +
                           sameGroup(QStringLiteral("b")),
                       QVariantList{group.test} + groupValues(group));
    if (!best.next()) {
        statements.run(QStringLiteral("INSERT INTO best_results (test, submitter, processor, result_id, seconds) "
                                      "VALUES (?, ?, ?, ?, ?)"),
                       {group.test, group.submitter, group.processor, qint64(id), seconds});
    } else if (seconds < best.value(1).toDouble()) {
        statements.run(QStringLiteral("UPDATE best_results SET result_id = ?, seconds = ? WHERE result_id = ?"),
                       {qint64(id), seconds, best.value(0).toLongLong()});
    }
}

void drop(StatementCache &statements, std::int64_t id)
{
    QSqlQuery &owner = statements.run(QStringLiteral("SELECT r.test, s.submitter, s.processor FROM %1 WHERE r.id = ?")
                                          .arg(rows::ResultsWithSubmissions),
                                      {qint64(id)});
    if (!owner.next())
        return;
    const Group group{owner.value(0).toInt(), owner.value(1).toString(), owner.value(2).toString()};
    const bool wasBest =
        statements.run(QStringLiteral("DELETE FROM best_results WHERE result_id = ?"), {qint64(id)}).numRowsAffected() >
        0;
    if (!wasBest)
        return;
    statements.run(
        // CROSS JOIN: SQLite walks the group's submissions and their
        // results, not every result of the test in the order of time.
        QStringLiteral("INSERT INTO best_results (test, submitter, processor, result_id, seconds) "
                       "SELECT r.test, s.submitter, s.processor, r.id, r.seconds FROM submissions s "
                       "CROSS JOIN results r WHERE r.submission_id = s.id AND r.test = ? AND %1 AND "
                       "r.id <> ? AND r.verdict = 'accepted' AND s.listed = 1 ORDER BY r.seconds, r.id LIMIT 1")
            .arg(sameGroup(QStringLiteral("s"))),
        QVariantList{group.test} + groupValues(group) + QVariantList{qint64(id)});
}

} // namespace tarvik::server::best
