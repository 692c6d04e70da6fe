#include "storage/database_worker.h"

#include "request_log.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"

namespace tarvik::server {

namespace {

// The most submissions one transaction takes, so one commit stays short.
constexpr std::size_t LargestGroup = 256;

void logFault(const StoreUnavailable &fault)
{
    using Cause = StoreUnavailable::Cause;
    const char *what = fault.cause() == Cause::DiskFull  ? "database disk full: "
                       : fault.cause() == Cause::Refused ? "database refused a statement: "
                                                         : "database unavailable: ";
    logLine(what + std::string(fault.what()));
}

} // namespace

// The worker's connection and what it does with a batch of requests.
class DatabaseWorker::Session {
public:
    explicit Session(const DatabaseSettings &settings) : m_store(settings) {}

    // Stores the group in one transaction. When the database refuses one
    // of its statements, each submission is tried again alone, so that one
    // bad submission fails only itself; once the database is out of reach
    // or full, the rest are told so without trying.
    void storeGroup(std::vector<PendingSubmission> &group)
    {
        const auto failure = tryStore(group);
        if (!failure || *failure != StoreUnavailable::Cause::Refused || group.size() == 1)
            return;
        std::optional<StoreUnavailable::Cause> lasting;
        for (PendingSubmission &pending : group) {
            if (lasting) {
                pending.done({false, {}, *lasting});
                continue;
            }
            std::vector<PendingSubmission> alone;
            alone.push_back(std::move(pending));
            if (const auto cause = tryStore(alone); cause && *cause != StoreUnavailable::Cause::Refused)
                lasting = cause;
        }
    }

    void answer(PendingLookup &lookup)
    {
        try {
            lookup.done({true, m_store.result(lookup.id)});
        } catch (const StoreUnavailable &fault) {
            logFault(fault);
            lookup.done({});
        }
    }

private:
    // Gives why the group was not stored; a group of one is told at once,
    // a larger one that the database refused is left to be tried again.
    std::optional<StoreUnavailable::Cause> tryStore(std::vector<PendingSubmission> &group)
    {
        std::vector<NewSubmission> submissions;
        for (const PendingSubmission &pending : group)
            submissions.push_back(pending.submission);
        std::vector<StoredSubmission> stored;
        try {
            stored = m_store.store(submissions);
        } catch (const StoreUnavailable &fault) {
            logFault(fault);
            if (fault.cause() != StoreUnavailable::Cause::Refused || group.size() == 1)
                for (PendingSubmission &pending : group)
                    pending.done({false, {}, fault.cause()});
            return fault.cause();
        }
        for (std::size_t i = 0; i < group.size(); ++i)
            group[i].done({true, std::move(stored[i])});
        return std::nullopt;
    }

    ResultStore m_store;
};

DatabaseWorker::DatabaseWorker(DatabaseSettings settings) : m_settings(std::move(settings)), m_thread([this] { run(); })
{
}

DatabaseWorker::~DatabaseWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void DatabaseWorker::submit(NewSubmission submission, std::function<void(StoreOutcome)> done)
{
    {
        std::lock_guard lock(m_mutex);
        m_submissions.push_back({std::move(submission), std::move(done)});
    }
    m_wake.notify_one();
}

void DatabaseWorker::lookup(std::int64_t id, std::function<void(LookupOutcome)> done)
{
    {
        std::lock_guard lock(m_mutex);
        m_lookups.push_back({id, std::move(done)});
    }
    m_wake.notify_one();
}

void DatabaseWorker::run()
{
    // The connection is opened on this thread, which alone uses it.
    Session session(m_settings);
    for (;;) {
        std::vector<PendingSubmission> group;
        std::vector<PendingLookup> lookups;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_submissions.empty() || !m_lookups.empty(); });
            if (m_submissions.empty() && m_lookups.empty())
                return;
            while (!m_submissions.empty() && group.size() < LargestGroup) {
                group.push_back(std::move(m_submissions.front()));
                m_submissions.pop_front();
            }
            lookups.assign(std::make_move_iterator(m_lookups.begin()), std::make_move_iterator(m_lookups.end()));
            m_lookups.clear();
        }
        if (!group.empty())
            session.storeGroup(group);
        for (PendingLookup &lookup : lookups)
            session.answer(lookup);
    }
}

} // namespace tarvik::server
