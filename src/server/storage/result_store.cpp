#include "storage/result_store.h"

#include "storage/schema.h"
#include "storage/sql_statement.h"
#include "storage/store_unavailable.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace tarvik::server {

namespace {

const QString ResultColumns = QStringLiteral(
    "r.id, s.submitter, s.description, s.processor_form, s.processor, s.clock, s.l2_cache, s.vcore, s.fsb, "
    "s.codename, s.stepping, s.memory_size, s.memory_type, s.memory_frequency, s.memory_timings, "
    "s.board_vendor, s.board_model, s.threads, r.test, r.time_text, r.seconds, r.checksum, s.received_at");
const QString ResultsWithSubmissions = QStringLiteral("results r JOIN submissions s ON s.id = r.submission_id");

// The rows of one submitter and processor in the table named `alias`: found
// by the indexed first 200 characters of both names, then compared whole.
// Bound with groupValues.
QString sameGroup(const QString &alias)
{
    return QStringLiteral("substr(%1.submitter, 1, 200) = substr(?, 1, 200) AND "
                          "substr(%1.processor, 1, 200) = substr(?, 1, 200) AND %1.submitter = ? AND %1.processor = ?")
        .arg(alias);
}

QString connectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tarvik-server-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString text(const std::string &bytes)
{
    return QString::fromStdString(bytes);
}

std::string bytes(const QVariant &value)
{
    return value.toString().toStdString();
}

// A row of ResultColumns.
StoredResult readResult(const QSqlQuery &query)
{
    int column = 0;
    auto next = [&] { return query.value(column++); };
    StoredResult result;
    result.id = next().toLongLong();
    result.submitter = bytes(next());
    result.description = bytes(next());
    ProcessorRecord &processor = result.processor;
    processor.form = formFromName(bytes(next()));
    for (const ProcessorText &field : ProcessorTexts)
        processor.*field.member = bytes(next());
    result.threads = next().toInt();
    result.test = next().toInt();
    result.timeText = bytes(next());
    result.seconds = next().toDouble();
    result.checksum = bytes(next());
    result.submittedAt = bytes(next());
    return result;
}

std::int64_t returnedId(QSqlQuery &query)
{
    if (!query.next())
        throw StoreUnavailable("the database gave no id for a new row");
    return query.value(0).toLongLong();
}

} // namespace

// One submitter's results of one test on one processor: one row of the leaderboard.
struct ResultStore::Group {
    int test;
    QString submitter;
    QString processor;
};

ResultStore::ResultStore(DatabaseSettings settings)
    : m_settings(std::move(settings)),
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
        // Every wait on the server has a bound: the connection, each
        // statement and each lock, and TCP keepalive notices a server
        // machine that has gone away while a statement runs.
        m_database.setConnectOptions(
            QStringLiteral("connect_timeout=5;keepalives=1;keepalives_idle=10;keepalives_interval=5;"
                           "keepalives_count=3;options='-c statement_timeout=5000 -c lock_timeout=5000 "
                           "-c idle_in_transaction_session_timeout=30000'"));
    }
}

ResultStore::~ResultStore()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

template <typename Work>
auto ResultStore::guarded(Work work)
{
    try {
        return work();
    } catch (const StoreUnavailable &) {
        m_database.close();
        throw;
    }
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
    }
    upgradeSchema(m_database);
}

std::vector<std::int64_t> ResultStore::insert(const NewSubmission &submission)
{
    const SubmitMessage &message = submission.message;
    const ProcessorRecord &processor = message.processor;
    QVariantList values = {QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                           text(submission.channel),
                           text(submission.peer),
                           QByteArray::fromStdString(submission.rawMessage),
                           text(message.submitter),
                           text(message.description),
                           QString::fromLatin1(formName(processor.form))};
    for (const ProcessorText &field : ProcessorTexts)
        values.append(text(processor.*field.member));
    values.append(submission.checked.threads);
    QSqlQuery row = runStatement(
        m_database,
        QStringLiteral("INSERT INTO submissions (received_at, channel, peer, raw_message, submitter, description, "
                       "processor_form, processor, clock, l2_cache, vcore, fsb, codename, stepping, memory_size, "
                       "memory_type, memory_frequency, memory_timings, board_vendor, board_model, threads) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
        values);
    const std::int64_t submissionId = returnedId(row);

    std::vector<std::int64_t> ids;
    for (const AcceptedTest &test : submission.checked.accepted) {
        QSqlQuery result =
            runStatement(m_database,
                         QStringLiteral("INSERT INTO results (submission_id, test, time_text, seconds, checksum) "
                                        "VALUES (?, ?, ?, ?, ?) RETURNING id"),
                         {qint64(submissionId), test.test, text(test.timeText), test.seconds, text(test.checksum)});
        ids.push_back(returnedId(result));
        keepBest({test.test, text(message.submitter), text(processor.specification)}, ids.back(), test.seconds);
    }
    return ids;
}

// A new result becomes its group's row on the leaderboard when it is the
// group's first or beats its best; among equal times the first stored stays.
void ResultStore::keepBest(const Group &group, std::int64_t id, double seconds)
{
    QSqlQuery best = runStatement(
        m_database,
        QStringLiteral("SELECT result_id, seconds FROM best_results b WHERE b.test = ? AND ") + sameGroup("b"),
        {group.test, group.submitter, group.processor, group.submitter, group.processor});
    if (!best.next()) {
        runStatement(m_database,
                     QStringLiteral("INSERT INTO best_results (test, submitter, processor, result_id, seconds) "
                                    "VALUES (?, ?, ?, ?, ?)"),
                     {group.test, group.submitter, group.processor, qint64(id), seconds});
    } else if (seconds < best.value(1).toDouble()) {
        runStatement(m_database,
                     QStringLiteral("UPDATE best_results SET result_id = ?, seconds = ? WHERE result_id = ?"),
                     {qint64(id), seconds, best.value(0).toLongLong()});
    }
}

// After its best result was removed, the group's next best takes its place.
void ResultStore::electBest(const Group &group)
{
    runStatement(m_database,
                 QStringLiteral("INSERT INTO best_results (test, submitter, processor, result_id, seconds) "
                                "SELECT r.test, s.submitter, s.processor, r.id, r.seconds FROM %1 "
                                "WHERE r.test = ? AND %2 ORDER BY r.seconds, r.id LIMIT 1")
                     .arg(ResultsWithSubmissions, sameGroup("s")),
                 {group.test, group.submitter, group.processor, group.submitter, group.processor});
}

std::vector<std::vector<std::int64_t>> ResultStore::store(const std::vector<NewSubmission> &submissions)
{
    return guarded([&] {
        std::vector<std::vector<std::int64_t>> ids;
        inTransaction(database(), [&] {
            for (const NewSubmission &submission : submissions)
                ids.push_back(insert(submission));
        });
        return ids;
    });
}

std::optional<StoredResult> ResultStore::result(std::int64_t id)
{
    return guarded([&]() -> std::optional<StoredResult> {
        QSqlQuery query = runStatement(
            database(), QStringLiteral("SELECT %1 FROM %2 WHERE r.id = ?").arg(ResultColumns, ResultsWithSubmissions),
            {qint64(id)});
        if (!query.next())
            return std::nullopt;
        return readResult(query);
    });
}

LeaderboardPage ResultStore::leaderboard(int test, int page, int pageSize)
{
    return guarded([&] {
        LeaderboardPage board;
        board.test = test;
        board.page = page;
        board.pageSize = pageSize;
        QSqlQuery count =
            runStatement(database(), QStringLiteral("SELECT COUNT(*) FROM best_results WHERE test = ?"), {test});
        board.total = count.next() ? count.value(0).toLongLong() : 0;
        // The best result of each submitter and processor, read in the
        // ranking's own index order.
        QSqlQuery rows =
            runStatement(database(),
                         QStringLiteral("SELECT %1 FROM best_results b JOIN results r ON r.id = b.result_id "
                                        "JOIN submissions s ON s.id = r.submission_id WHERE b.test = ? "
                                        "ORDER BY b.seconds, b.result_id LIMIT ? OFFSET ?")
                             .arg(ResultColumns),
                         {test, pageSize, qint64(board.firstRank() - 1)});
        while (rows.next())
            board.entries.push_back(readResult(rows));
        return board;
    });
}

bool ResultStore::remove(std::int64_t id)
{
    return guarded([&] {
        bool removed = false;
        inTransaction(database(), [&] {
            QSqlQuery owner = runStatement(
                m_database,
                QStringLiteral("SELECT r.submission_id, r.test, s.submitter, s.processor FROM %1 WHERE r.id = ?")
                    .arg(ResultsWithSubmissions),
                {qint64(id)});
            if (!owner.next())
                return;
            const qint64 submissionId = owner.value(0).toLongLong();
            const Group group{owner.value(1).toInt(), owner.value(2).toString(), owner.value(3).toString()};
            const bool wasBest =
                runStatement(m_database, QStringLiteral("DELETE FROM best_results WHERE result_id = ?"), {qint64(id)})
                    .numRowsAffected() > 0;
            runStatement(m_database, QStringLiteral("DELETE FROM results WHERE id = ?"), {qint64(id)});
            runStatement(m_database,
                         QStringLiteral("DELETE FROM submissions WHERE id = ? AND NOT EXISTS "
                                        "(SELECT 1 FROM results WHERE submission_id = ?)"),
                         {submissionId, submissionId});
            if (wasBest)
                electBest(group);
            removed = true;
        });
        return removed;
    });
}

void ResultStore::forEachResult(const std::function<void(const StoredResult &)> &visit)
{
    guarded([&] {
        QSqlQuery rows = runStatement(
            database(), QStringLiteral("SELECT %1 FROM %2 ORDER BY r.id").arg(ResultColumns, ResultsWithSubmissions));
        while (rows.next())
            visit(readResult(rows));
    });
}

} // namespace tarvik::server
