#pragma once

#include "requests/stored_result.h"
#include "requests/stored_submission.h"
#include "storage/band_memory.h"
#include "storage/database_settings.h"
#include "storage/new_submission.h"
#include "storage/sql_statement.h"
#include "storage/statement_cache.h"
#include "storage/store_unavailable.h"
#include "web/history_page.h"
#include "web/leaderboard.h"
#include "web/list_query.h"
#include "web/processor_results.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tarvik::server {

// The results in the database, through a connection of its own. A Qt SQL
// connection belongs to the thread that opened it, so each thread that reads
// or writes keeps its own ResultStore.
//
// The connection is opened on first use. Every operation throws
// StoreUnavailable when the database cannot be reached or refuses; the
// connection is then closed, so the next operation connects afresh and the
// server recovers once the database is back.
class ResultStore {
public:
    // ReadOnly: a hot standby, which replays the primary's schema and is
    // never written. Its schema is checked, not created or upgraded, and
    // PostgreSQL refuses any write through it.
    enum class Access { ReadWrite, ReadOnly };

    explicit ResultStore(DatabaseSettings settings, Access access = Access::ReadWrite);
    ~ResultStore();
    ResultStore(const ResultStore &) = delete;
    ResultStore &operator=(const ResultStore &) = delete;

    // Connects and upgrades the schema when needed; a ReadOnly store throws
    // StoreUnavailable instead when the schema is older than this server's.
    void open();

    // Stores every submission with its checked tests in one transaction
    // (one durable commit for the whole group), each test judged by the
    // rules that need the stored results: a test equal to a stored result is
    // that result, a time far below its band is held. Gives what became of
    // each submission, in their order.
    std::vector<StoredSubmission> store(const std::vector<NewSubmission> &submissions);

    std::optional<StoredResult> result(std::int64_t id);
    // One page of the ranking of `test`: the best accepted, listed result of
    // each submitter and processor, fastest first.
    LeaderboardPage leaderboard(int test, int page, int pageSize);
    // Every accepted, listed time of one processor record text, and a page
    // of its results, newest first.
    ProcessorResults processorResults(const std::string &processor, int page, int pageSize);
    // The accepted, listed results among `ids`, in their order.
    std::vector<StoredResult> listedResults(const std::vector<std::int64_t> &ids);
    // each submitter and processor that `query`'s filters let through, in
    // its order (fastest first by default).
    LeaderboardPage leaderboard(int test, int page, int pageSize, const ListQuery &query = {});
    // One page of a submitter's accepted, listed results, newest first; with
    // `machineOf`, only those of that result's machine (see HistoryPage).
    HistoryPage history(const std::string &submitter, std::int64_t machineOf, int page, int pageSize);
    // Removes a result; its submission, raw message included, goes with its
    // last result. False when there is no such result.
    bool remove(std::int64_t id);
    // Every result, oldest first.
    void forEachResult(const std::function<void(const StoredResult &)> &visit);

    // The results held for review, oldest first.
    std::vector<StoredResult> heldResults();
    // A reviewer's verdict on a result, with why, kept in the audit log; the
    // result joins or leaves the leaderboard with it. False when there is no
    // such result.
    bool decide(std::int64_t id, rules::Verdict verdict, const std::string &why);

    // What the holder of a submission's key may do with its results.
    enum class Management { Hide, Delete };
    // The submission's results, when `key` is its key; nothing otherwise,
    // whether or not the submission exists.
    std::optional<std::vector<StoredResult>> managedResults(std::int64_t submissionId, const std::string &key);
    // Does `action` to every result of the submission when `key` is its key
    // and gives how many there were; nothing, with nothing changed, otherwise.
    std::optional<std::size_t> manage(std::int64_t submissionId, const std::string &key, Management action);

private:
    QSqlDatabase &database();
    void connect();
    void requireNewestSchema();
    // Runs `work`; when the database fails, closes the connection so that the
    // next operation connects afresh.
    template <typename Work>
    auto guarded(Work work)
    {
        try {
            return work();
        } catch (const StoreUnavailable &) {
            m_statements.clear();
            m_database.close();
            throw;
        }
    }
    // Runs `work` in a transaction of its own, guarded: even a read, so that
    // its statements have their time bounds.
    template <typename Work>
    auto transaction(Work work)
    {
        return guarded([&] {
            return inTransaction(database(), [&] {
                const FinishedAtEnd finished{m_statements};
                return work();
            });
        });
    }
    // Ends the kept statements' reading when the work is done, before its commit.
    struct FinishedAtEnd {
        StatementCache &statements;
        ~FinishedAtEnd() { statements.finishAll(); }
    };
    StoredSubmission insert(const NewSubmission &submission, qint64 minute);
    std::int64_t insertSubmission(const NewSubmission &submission, const QString &key);
    std::optional<StoredTest> storedAlready(const NewSubmission &submission, const AcceptedTest &test);
    rules::Band band(const NewSubmission &submission, int test);
    bool keyMatches(std::int64_t submissionId, const std::string &key);
    bool withinRate(const NewSubmission &submission, qint64 minute);
    void takeWritersTurn();
    void forgetOlderMinutes(qint64 minute);
    void removeResult(std::int64_t id);
    void audit(std::int64_t resultId, std::int64_t submissionId, const QString &action, const std::string &why);

    DatabaseSettings m_settings;
    Access m_access;
    QString m_connectionName;
    QSqlDatabase m_database;
    StatementCache m_statements{m_database};
    BandMemory m_bands;
    qint64 m_countsKeptFrom = 0; // the minute whose older counts were last deleted
};

} // namespace tarvik::server
