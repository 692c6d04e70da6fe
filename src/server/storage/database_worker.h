#pragma once

#include "requests/stored_result.h"
#include "requests/stored_submission.h"
#include "storage/database_settings.h"
#include "storage/new_submission.h"
#include "storage/store_unavailable.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tarvik::server {

// The thread that writes every submission, whichever side it came from.
// Submissions that arrive while a commit is on its way to the disk wait and
// then go into the next transaction together, so many clients share one
// durable commit instead of queueing for one each. It also answers the TCP
// side's lookups, so the event loop never waits on the database.
//
// The callbacks run on the worker's thread.
class DatabaseWorker {
public:
    struct StoreOutcome {
        bool stored = false; // false: the database was unavailable, nothing was stored
        StoredSubmission submission;
        StoreUnavailable::Cause failure = StoreUnavailable::Cause::Unreachable; // why, when not stored
    };
    struct LookupOutcome {
        bool available = false;
        std::optional<StoredResult> result;
    };

    explicit DatabaseWorker(DatabaseSettings settings);
    // Finishes what is queued, then ends the thread.
    ~DatabaseWorker();
    DatabaseWorker(const DatabaseWorker &) = delete;
    DatabaseWorker &operator=(const DatabaseWorker &) = delete;

    void submit(NewSubmission submission, std::function<void(StoreOutcome)> done);
    void lookup(std::int64_t id, std::function<void(LookupOutcome)> done);

private:
    struct PendingSubmission {
        NewSubmission submission;
        std::function<void(StoreOutcome)> done;
    };
    struct PendingLookup {
        std::int64_t id;
        std::function<void(LookupOutcome)> done;
    };
    class Session;

    void run();

    DatabaseSettings m_settings;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<PendingSubmission> m_submissions;
    std::deque<PendingLookup> m_lookups;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace tarvik::server
