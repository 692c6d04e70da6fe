#include "network/page_readers.h"

#include "request_log.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvik::server {

// What the readers share; a reader left behind at the stop keeps it alive.
struct PageReaders::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable ended;
    std::deque<std::function<void()>> tasks;
    std::vector<std::thread> threads;
    int running = 0;
    bool stopping = false;

    static void read(const std::shared_ptr<Shared> &shared)
    {
        std::unique_lock lock(shared->mutex);
        for (;;) {
            shared->wake.wait(lock, [&] { return shared->stopping || !shared->tasks.empty(); });
            if (shared->stopping)
                break;
            std::function<void()> task = std::move(shared->tasks.front());
            shared->tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
        --shared->running;
        shared->ended.notify_all();
    }
};

PageReaders::PageReaders(int threads, std::chrono::milliseconds stopWait)
    : m_shared(std::make_shared<Shared>()),
      m_stopWait(stopWait)
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->running = threads;
    for (int i = 0; i < threads; ++i)
        m_shared->threads.emplace_back([shared = m_shared] { Shared::read(shared); });
}

PageReaders::~PageReaders()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->tasks.clear();
    m_shared->wake.notify_all();
    const bool allEnded = m_shared->ended.wait_for(lock, m_stopWait, [&] { return m_shared->running == 0; });
    std::vector<std::thread> threads = std::move(m_shared->threads);
    lock.unlock();
    if (!allEnded)
        logLine("page readers still wait on the database; stopping without them");
    for (std::thread &thread : threads)
        allEnded ? thread.join() : thread.detach();
}

void PageReaders::start(std::function<void()> task)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->tasks.push_back(std::move(task));
    }
    m_shared->wake.notify_one();
}

} // namespace tarvik::server
