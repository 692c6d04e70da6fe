#include "storage/result_store.h"

#include "storage/best_results.h"
#include "storage/processor_queries.h"
#include "storage/list_filters.h"
#include "storage/result_rows.h"
#include "storage/schema.h"
#include "storage/sql_statement.h"
#include "storage/store_unavailable.h"
#include "storage/submission_key.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace tarvik::server {

using rows::bytes;
using rows::readResult;
using rows::ResultColumns;
using rows::ResultsWithSubmissions;
using rows::text;

namespace {

// The advisory lock a writer holds on PostgreSQL while it stores a group:
// any number of the server's own, unlikely to be another program's.
constexpr long long WritersLock = 7341029184;

QString connectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tarvik-server-%1").arg(counter.fetchAndAddRelaxed(1));
}

std::int64_t returnedId(QSqlQuery &query)
{
    if (!query.next())
        throw StoreUnavailable("the database gave no id for a new row");
    return query.value(0).toLongLong();
}

// "a = ? AND b = ? ..." over `columns` of the table named `alias`.
QString allEqual(const QString &alias, const QStringList &columns)
{
    QStringList terms;
    for (const QString &column : columns)
        terms << alias + '.' + column + QStringLiteral(" = ?");
    return terms.join(QStringLiteral(" AND "));
}

// "a.x, a.y ..." over `columns` of the table named `alias`.
QString allColumns(const QString &alias, const QStringList &columns)
{
    QStringList named;
    for (const QString &column : columns)
        named << alias + '.' + column;
    return named.join(QStringLiteral(", "));
}

QVariantList processorValues(const ProcessorRecord &processor)
{
    QVariantList values;
    for (const ProcessorText &field : ProcessorTexts)
        values.append(text(processor.*field.member));
    return values;
}

} // namespace

ResultStore::ResultStore(DatabaseSettings settings, Access access)
    : m_settings(std::move(settings)),
      m_access(access),
      m_connectionName(connectionName())
{
    const bool sqlite = m_settings.kind == DatabaseSettings::Kind::SQLite;
    m_database =
        QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), m_connectionName);
    if (sqlite) {
        m_database.setDatabaseName(m_settings.sqliteFile);
        // Writers from other processes (--remove beside a running server) wait instead of failing.
        m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else {
        m_database.setHostName(m_settings.host);
        m_database.setPort(m_settings.port);
        m_database.setUserName(m_settings.user);
        m_database.setPassword(m_settings.password);
        m_database.setDatabaseName(m_settings.name);
        // The connection has a time bound and TCP keepalive notices a server
        // machine that has gone away while a statement runs; each
        // transaction bounds its statements (inTransaction).
        m_database.setConnectOptions(QStringLiteral(
            "connect_timeout=5;keepalives=1;keepalives_idle=10;keepalives_interval=5;keepalives_count=3"));
    }
}

ResultStore::~ResultStore()
{
    m_statements.clear();
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void ResultStore::open()
{
    guarded([this] { database(); });
}

QSqlDatabase &ResultStore::database()
{
    if (!m_database.isOpen())
        connect();
    return m_database;
}

void ResultStore::connect()
{
    if (!m_database.isValid())
        throw StoreUnavailable("the Qt SQL driver for this database is not installed");
    if (!m_database.open())
        throw StoreUnavailable(m_database.lastError().text().toStdString());
    if (m_settings.kind == DatabaseSettings::Kind::SQLite) {
        // Write-ahead log: readers never wait for the writer. FULL: every
        // commit is on the disk before a result id is handed out.
        runStatement(m_database, QStringLiteral("PRAGMA journal_mode = WAL"));
        runStatement(m_database, QStringLiteral("PRAGMA synchronous = FULL"));
        runStatement(m_database, QStringLiteral("PRAGMA foreign_keys = ON"));
        // A group of submissions changes more pages than the default 2 MB
        // cache holds, and each statement of it keeps a journal of its own
        // for its rollback: in a file, both cost a write call per page
        // before the commit, a quarter of the writer's time. Neither is
        // needed for the commit to be durable.
        runStatement(m_database, QStringLiteral("PRAGMA temp_store = MEMORY"));
        runStatement(m_database, QStringLiteral("PRAGMA cache_size = -65536"));
    }
    if (m_access == Access::ReadOnly)
        requireNewestSchema();
    else
        upgradeSchema(m_database);
}

// A standby that has not yet replayed the primary's upgrade, or a database
// no server has prepared, would give pages with missing columns; the pages
// are read elsewhere until it has.
void ResultStore::requireNewestSchema()
{
    const int version = storedSchemaVersion(m_database);
    if (version < newestSchemaVersion())
        throw StoreUnavailable(QStringLiteral("the read-only database has schema version %1, older than this "
                                              "server's %2; it is read once its primary's upgrade has reached it")
                                   .arg(version)
                                   .arg(newestSchemaVersion())
                                   .toStdString());
}

std::int64_t ResultStore::insertSubmission(const NewSubmission &submission, const QString &key)
{
    const SubmitMessage &message = submission.message;
    QVariantList values = {rows::now(),
                           text(submission.channel),
                           text(submission.peer),
                           QByteArray::fromStdString(submission.rawMessage),
                           text(message.submitter),
                           text(message.description),
                           QString::fromLatin1(formName(message.processor.form))};
    values += processorValues(message.processor);
    values += QVariantList{submission.checked.threads, keys::keyHash(key)};
    static const QString statement = [] {
        const QStringList columns =
            QStringList{QStringLiteral("received_at"),   QStringLiteral("channel"),   QStringLiteral("peer"),
                        QStringLiteral("raw_message"),   QStringLiteral("submitter"), QStringLiteral("description"),
                        QStringLiteral("processor_form")} +
            rows::processorColumns() + QStringList{QStringLiteral("threads"), QStringLiteral("key_hash")};
        return QStringLiteral("INSERT INTO submissions (%1) VALUES (%2) RETURNING id")
            .arg(columns.join(QStringLiteral(", ")),
                 QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    }();
    QSqlQuery &row = m_statements.run(statement, values);
    return returnedId(row);
}

// The stored result that `test` repeats: same test, time, checksum and
// processor record, whoever sent it.
std::optional<StoredTest> ResultStore::storedAlready(const NewSubmission &submission, const AcceptedTest &test)
{
    const ProcessorRecord &processor = submission.message.processor;
    static const QString statement =
        QStringLiteral("SELECT r.id, r.verdict, r.rule, r.reason FROM %1 WHERE r.test = ? AND r.checksum = ? AND "
                       "r.seconds = ? AND s.processor_form = ? AND %2 ORDER BY r.id LIMIT 1")
            .arg(ResultsWithSubmissions, allEqual(QStringLiteral("s"), rows::processorColumns()));
    QSqlQuery &found = m_statements.run(statement, QVariantList{test.test, text(test.checksum), test.seconds,
                                                                QString::fromLatin1(formName(processor.form))} +
                                                       processorValues(processor));
    if (!found.next())
        return std::nullopt;
    const rules::Decision decision{rules::verdictFromName(bytes(found.value(1))), bytes(found.value(2)),
                                   bytes(found.value(3))};
    return StoredTest{test.test, test.seconds, found.value(0).toLongLong(), decision, true};
}

// The latest accepted results of `test` on the submission's processor and
// thread count, newest submissions first along their index.
rules::Band ResultStore::band(const NewSubmission &submission, int test)
{
    const QString processor = text(submission.message.processor.specification);
    const BandMemory::Key key{test, submission.checked.threads, processor};
    const auto now = BandMemory::Clock::now();
    if (const std::optional<rules::Band> recalled = m_bands.recall(key, now))
        return *recalled;
    QSqlQuery &latest = m_statements.run(
        // CROSS JOIN: SQLite walks the band's submissions, newest first, and
        // looks up their results, instead of every result of the test. The
        // whole name is compared as substr(name, 1), as in best::sameGroup.
        QStringLiteral("SELECT r.seconds FROM submissions s CROSS JOIN results r WHERE r.submission_id = s.id "
                       "AND s.threads = ? AND substr(s.processor, 1, 200) = substr(?, 1, 200) AND "
                       "substr(s.processor, 1) = ? AND r.test = ? AND r.verdict = 'accepted' ORDER BY s.id DESC "
                       "LIMIT ?"),
        {submission.checked.threads, processor, processor, test, qint64(rules::BandSample)});
    std::vector<double> seconds;
    while (latest.next())
        seconds.push_back(latest.value(0).toDouble());
    const rules::Band band = rules::bandOf(std::move(seconds));
    m_bands.keep(key, band, now);
    return band;
}

// Counts the submission for its address's minute; false, with nothing
// counted, once the address has made its submissions of the minute.
bool ResultStore::withinRate(const NewSubmission &submission, qint64 minute)
{
    QSqlQuery &counted = m_statements.run(
        QStringLiteral("INSERT INTO address_rate (peer, minute, submissions) VALUES (?, ?, 1) "
                       "ON CONFLICT (peer, minute) DO UPDATE SET submissions = address_rate.submissions + 1 "
                       "WHERE address_rate.submissions < ? RETURNING submissions"),
        {text(submission.peer), minute, submission.submissionsPerMinute});
    return counted.next();
}

StoredSubmission ResultStore::insert(const NewSubmission &submission, qint64 minute)
{
    StoredSubmission stored;
    if (submission.submissionsPerMinute > 0 && !withinRate(submission, minute)) {
        stored.overRate = true;
        return stored;
    }
    for (const AcceptedTest &test : submission.checked.accepted) {
        if (std::optional<StoredTest> earlier = storedAlready(submission, test)) {
            stored.tests.push_back(*earlier);
            continue;
        }
        const rules::Decision decision =
            rules::checkPlausibility(test.seconds, band(submission, test.test)).value_or(rules::accepted());
        if (stored.submissionId == 0) {
            // Only a submission that stores something gets a key.
            const QString key = keys::newKey();
            stored.submissionId = insertSubmission(submission, key);
            stored.managementKey = key.toStdString();
        }
        QSqlQuery &result = m_statements.run(
            QStringLiteral("INSERT INTO results (submission_id, test, time_text, seconds, checksum, verdict, rule, "
                           "reason, rules_version) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
            {qint64(stored.submissionId), test.test, text(test.timeText), test.seconds, text(test.checksum),
             QString::fromLatin1(rules::verdictName(decision.verdict)), text(decision.rule), text(decision.reason),
             rules::Version});
        const std::int64_t id = returnedId(result);
        if (decision.verdict == rules::Verdict::Accepted)
            best::keep(
                m_statements,
                {test.test, text(submission.message.submitter), text(submission.message.processor.specification)}, id,
                test.seconds);
        stored.tests.push_back({test.test, test.seconds, id, decision, false});
    }
    return stored;
}

// Writers of several server processes on one PostgreSQL database take
// turns: a test's earlier copy and its group's leaderboard row are looked up
// before they are written, and two transactions at once could both find
// them missing. The lock is held to the commit; waiting for it has the
// transaction's bound on locks. SQLite has one writer at a time anyway.
void ResultStore::takeWritersTurn()
{
    if (m_settings.kind == DatabaseSettings::Kind::PostgreSQL)
        m_statements.run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(WritersLock));
}

// The counts of minutes before the last are no longer read; they go once a
// minute rather than with every group.
void ResultStore::forgetOlderMinutes(qint64 minute)
{
    if (minute == m_countsKeptFrom)
        return;
    m_statements.run(QStringLiteral("DELETE FROM address_rate WHERE minute < ?"), {minute - 1});
    m_countsKeptFrom = minute;
}

std::vector<StoredSubmission> ResultStore::store(const std::vector<NewSubmission> &submissions)
{
    return transaction([&] {
        std::vector<StoredSubmission> stored;
        takeWritersTurn();
        const qint64 minute = QDateTime::currentSecsSinceEpoch() / 60;
        forgetOlderMinutes(minute);
        for (const NewSubmission &submission : submissions)
            stored.push_back(insert(submission, minute));
        return stored;
    });
}

std::optional<StoredResult> ResultStore::result(std::int64_t id)
{
    return transaction([&]() -> std::optional<StoredResult> {
        QSqlQuery query = runStatement(
            m_database, QStringLiteral("SELECT %1 FROM %2 WHERE r.id = ?").arg(ResultColumns, ResultsWithSubmissions),
            {qint64(id)});
        if (!query.next())
            return std::nullopt;
        return readResult(query);
    });
}

LeaderboardPage ResultStore::leaderboard(int test, int page, int pageSize, const ListQuery &query)
{
    return transaction([&] {
        LeaderboardPage board;
        board.test = test;
        board.page = page;
        board.pageSize = pageSize;
        const filters::Clause filter = filters::where(query);
        const QString ranked = QStringLiteral("best_results b JOIN results r ON r.id = b.result_id "
                                              "JOIN submissions s ON s.id = r.submission_id WHERE b.test = ?") +
                               filter.sql;
        const QVariantList values = QVariantList{test} + filter.values;
        // Unfiltered, the count is the ranking index's alone.
        QSqlQuery count =
            query.filtered()
                ? runStatement(m_database, QStringLiteral("SELECT COUNT(*) FROM ") + ranked, values)
                : runStatement(m_database, QStringLiteral("SELECT COUNT(*) FROM best_results WHERE test = ?"), {test});
        board.total = count.next() ? count.value(0).toLongLong() : 0;
        // The best result of each submitter and processor, read in the order
        // of one of the ranking's own indexes.
        QSqlQuery rows = runStatement(m_database,
                                      QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT ? OFFSET ?")
                                          .arg(ResultColumns, ranked, filters::rankingOrder(query.sort)),
                                      values + QVariantList{pageSize, qint64(board.firstRank() - 1)});
        while (rows.next())
            board.entries.push_back(readResult(rows));
        return board;
    });
}

ProcessorResults ResultStore::processorResults(const std::string &processor, int page, int pageSize)
{
    return transaction([&] { return processors::processorResults(m_database, processor, page, pageSize); });
}

std::vector<StoredResult> ResultStore::listedResults(const std::vector<std::int64_t> &ids)
{
    return transaction([&] { return processors::listedResults(m_database, ids); });
}

HistoryPage ResultStore::history(const std::string &submitter, std::int64_t machineOf, int page, int pageSize)
{
    return transaction([&] {
        HistoryPage history;
        history.submitter = submitter;
        history.machineOf = machineOf;
        history.page = page;
        history.pageSize = pageSize;
        // Found through the group index by the name's first 200 characters,
        // then compared whole (see best::sameGroup).
        QString of = QStringLiteral("submissions s CROSS JOIN results r WHERE r.submission_id = s.id AND "
                                    "substr(s.submitter, 1, 200) = substr(?, 1, 200) AND substr(s.submitter, 1) = ? "
                                    "AND r.verdict = 'accepted' AND s.listed = 1");
        QVariantList values = {text(submitter), text(submitter)};
        if (machineOf != 0) {
            QSqlQuery machine = runStatement(
                m_database,
                QStringLiteral("SELECT s.processor_form, %1 FROM %2 WHERE r.id = ?")
                    .arg(allColumns(QStringLiteral("s"), rows::processorColumns()), ResultsWithSubmissions),
                {qint64(machineOf)});
            if (!machine.next())
                return history;
            of += QStringLiteral(" AND s.processor_form = ? AND ") +
                  allEqual(QStringLiteral("s"), rows::processorColumns());
            for (int column = 0; column <= rows::processorColumns().size(); ++column)
                values.append(machine.value(column));
        }
        QSqlQuery count = runStatement(m_database, QStringLiteral("SELECT COUNT(*) FROM ") + of, values);
        history.total = count.next() ? count.value(0).toLongLong() : 0;
        QSqlQuery rows = runStatement(
            m_database, QStringLiteral("SELECT %1 FROM %2 ORDER BY r.id DESC LIMIT ? OFFSET ?").arg(ResultColumns, of),
            values + QVariantList{pageSize, qint64(page - 1) * pageSize});
        while (rows.next())
            history.entries.push_back(readResult(rows));
        return history;
    });
}

bool ResultStore::remove(std::int64_t id)
{
    return transaction([&] {
        QSqlQuery found =
            runStatement(m_database, QStringLiteral("SELECT submission_id FROM results WHERE id = ?"), {qint64(id)});
        if (!found.next())
            return false;
        removeResult(id);
        audit(id, found.value(0).toLongLong(), QStringLiteral("removed"), "by the administrator");
        return true;
    });
}

// Within a transaction: the result goes, and its submission with its last result.
void ResultStore::removeResult(std::int64_t id)
{
    QSqlQuery owner =
        runStatement(m_database, QStringLiteral("SELECT submission_id FROM results WHERE id = ?"), {qint64(id)});
    if (!owner.next())
        return;
    const qint64 submissionId = owner.value(0).toLongLong();
    best::drop(m_statements, id);
    runStatement(m_database, QStringLiteral("DELETE FROM results WHERE id = ?"), {qint64(id)});
    runStatement(m_database,
                 QStringLiteral("DELETE FROM submissions WHERE id = ? AND NOT EXISTS "
                                "(SELECT 1 FROM results WHERE submission_id = ?)"),
                 {submissionId, submissionId});
}

void ResultStore::forEachResult(const std::function<void(const StoredResult &)> &visit)
{
    transaction([&] {
        QSqlQuery rows = runStatement(
            m_database, QStringLiteral("SELECT %1 FROM %2 ORDER BY r.id").arg(ResultColumns, ResultsWithSubmissions));
        while (rows.next())
            visit(readResult(rows));
    });
}

} // namespace tarvik::server
