#include "storage/database_worker.h"

#include "request_log.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"

namespace tarvik::server {

namespace {

// The most submissions one transaction takes, so one commit stays short.
constexpr std::size_t LargestGroup = 256;

} // namespace

// The worker's connection and what it does with a batch of requests.
class DatabaseWorker::Session {
public:
    explicit Session(const DatabaseSettings &settings) : m_store(settings) {}

    void storeGroup(std::vector<PendingSubmission> &group)
    {
        std::vector<NewSubmission> submissions;
        for (PendingSubmission &pending : group)
            submissions.push_back(std::move(pending.submission));
        std::vector<std::vector<std::int64_t>> ids;
        try {
            ids = m_store.store(submissions);
        } catch (const StoreUnavailable &fault) {
            logLine("database unavailable: " + std::string(fault.what()));
            for (PendingSubmission &pending : group)
                pending.done({});
            return;
        }
        for (std::size_t i = 0; i < group.size(); ++i)
            group[i].done({true, std::move(ids[i])});
    }

    void answer(PendingLookup &lookup)
    {
        try {
            lookup.done({true, m_store.result(lookup.id)});
        } catch (const StoreUnavailable &fault) {
            logLine("database unavailable: " + std::string(fault.what()));
            lookup.done({});
        }
    }

private:
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
