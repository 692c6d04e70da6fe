#pragma once

#include "requests/stored_result.h"
#include "storage/database_settings.h"
#include "storage/new_submission.h"
#include "web/leaderboard.h"

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
    explicit ResultStore(DatabaseSettings settings);
    ~ResultStore();
    ResultStore(const ResultStore &) = delete;
    ResultStore &operator=(const ResultStore &) = delete;

    // Connects and upgrades the schema when needed.
    void open();

    // Stores every submission with its accepted tests in one transaction
    // (one durable commit for the whole group). Gives the new result ids,
    // one list per submission in the order of its accepted tests.
    std::vector<std::vector<std::int64_t>> store(const std::vector<NewSubmission> &submissions);

    std::optional<StoredResult> result(std::int64_t id);
    // One page of the ranking of `test`: the best result of each submitter
    // and processor, fastest first.
    LeaderboardPage leaderboard(int test, int page, int pageSize);
    // Removes a result; its submission, raw message included, goes with its
    // last result. False when there is no such result.
    bool remove(std::int64_t id);
    // Every result, oldest first.
    void forEachResult(const std::function<void(const StoredResult &)> &visit);

private:
    struct Group;

    QSqlDatabase &database();
    void connect();
    template <typename Work>
    auto guarded(Work work);
    std::vector<std::int64_t> insert(const NewSubmission &submission);
    void keepBest(const Group &group, std::int64_t id, double seconds);
    void electBest(const Group &group);

    DatabaseSettings m_settings;
    QString m_connectionName;
    QSqlDatabase m_database;
};

} // namespace tarvik::server
