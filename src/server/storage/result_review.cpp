// What reviewers and submitters decide about stored results: the review of
// held results and the management of a submission by its key. Every decision
// is kept in the audit log.
#include "storage/best_results.h"
#include "storage/result_rows.h"
#include "storage/result_store.h"
#include "storage/sql_statement.h"
#include "storage/submission_key.h"

namespace tarvik::server {

namespace {

const char *ReviewRule = "review";

std::vector<StoredResult> readAll(QSqlQuery &query)
{
    std::vector<StoredResult> results;
    while (query.next())
        results.push_back(rows::readResult(query));
    return results;
}

} // namespace

void ResultStore::audit(std::int64_t resultId, std::int64_t submissionId, const QString &action, const std::string &why)
{
    runStatement(m_database,
                 QStringLiteral("INSERT INTO audit_log (at, result_id, submission_id, action, why) "
                                "VALUES (?, ?, ?, ?, ?)"),
                 {rows::now(), qint64(resultId), qint64(submissionId), action, rows::text(why)});
}

std::vector<StoredResult> ResultStore::heldResults()
{
    return transaction([&] {
        QSqlQuery held = runStatement(m_database, QStringLiteral("SELECT %1 FROM %2 WHERE r.verdict = 'held' "
                                                                 "ORDER BY r.id")
                                                      .arg(rows::ResultColumns, rows::ResultsWithSubmissions));
        return readAll(held);
    });
}

bool ResultStore::decide(std::int64_t id, rules::Verdict verdict, const std::string &why)
{
    return transaction([&] {
        QSqlQuery found = runStatement(
            m_database,
            QStringLiteral("SELECT %1 FROM %2 WHERE r.id = ?").arg(rows::ResultColumns, rows::ResultsWithSubmissions),
            {qint64(id)});
        if (!found.next())
            return false;
        const StoredResult result = rows::readResult(found);
        runStatement(m_database, QStringLiteral("UPDATE results SET verdict = ?, rule = ?, reason = ? WHERE id = ?"),
                     {QString::fromLatin1(rules::verdictName(verdict)), QString::fromLatin1(ReviewRule),
                      rows::text(std::string(ReviewRule) + ": " + why), qint64(id)});
        best::drop(m_statements, id);
        if (verdict == rules::Verdict::Accepted && result.listed)
            best::keep(m_statements,
                       {result.test, rows::text(result.submitter), rows::text(result.processor.specification)}, id,
                       result.seconds);
        audit(id, result.submissionId, QString::fromLatin1(rules::verdictName(verdict)), why);
        return true;
    });
}

bool ResultStore::keyMatches(std::int64_t submissionId, const std::string &key)
{
    QSqlQuery found = runStatement(m_database, QStringLiteral("SELECT key_hash FROM submissions WHERE id = ?"),
                                   {qint64(submissionId)});
    // Without the submission the key is still hashed, so the answer takes
    // as long either way.
    const QString storedHash = found.next() ? found.value(0).toString() : QString();
    return keys::matches(rows::text(key), storedHash);
}

std::optional<std::vector<StoredResult>> ResultStore::managedResults(std::int64_t submissionId, const std::string &key)
{
    return transaction([&]() -> std::optional<std::vector<StoredResult>> {
        if (!keyMatches(submissionId, key))
            return std::nullopt;
        QSqlQuery results = runStatement(m_database,
                                         QStringLiteral("SELECT %1 FROM %2 WHERE s.id = ? ORDER BY r.id")
                                             .arg(rows::ResultColumns, rows::ResultsWithSubmissions),
                                         {qint64(submissionId)});
        return readAll(results);
    });
}

std::optional<std::size_t> ResultStore::manage(std::int64_t submissionId, const std::string &key, Management action)
{
    return transaction([&]() -> std::optional<std::size_t> {
        if (!keyMatches(submissionId, key))
            return std::nullopt;
        QSqlQuery results =
            runStatement(m_database, QStringLiteral("SELECT id FROM results WHERE submission_id = ? ORDER BY id"),
                         {qint64(submissionId)});
        std::vector<std::int64_t> ids;
        while (results.next())
            ids.push_back(results.value(0).toLongLong());
        if (action == Management::Hide)
            runStatement(m_database, QStringLiteral("UPDATE submissions SET listed = 0 WHERE id = ?"),
                         {qint64(submissionId)});
        const QString what = action == Management::Hide ? QStringLiteral("hidden") : QStringLiteral("deleted");
        for (std::int64_t id : ids) {
            if (action == Management::Hide)
                best::drop(m_statements, id);
            else
                removeResult(id);
            audit(id, submissionId, what, "by the holder of the submission's key");
        }
        return ids.size();
    });
}

} // namespace tarvik::server
