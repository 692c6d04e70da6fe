#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tarvik::server {

// A fixed number of threads that read pages from the database, each through
// a connection of its own. Tasks wait their turn in a queue under a standard
// mutex, a hand-over ThreadSanitizer can see (Qt's thread pool guards its
// queue with a lock it cannot).
class PageReaders {
public:
    explicit PageReaders(int threads);
    // Drops the tasks still queued and waits up to `stopWait` for the
    // running ones. A reader stuck on a database that does not answer is
    // left behind rather than holding up the stop.
    ~PageReaders();
    PageReaders(const PageReaders &) = delete;
    PageReaders &operator=(const PageReaders &) = delete;

    void setStopWait(std::chrono::milliseconds wait) { m_stopWait = wait; }
    void start(std::function<void()> task);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    std::chrono::milliseconds m_stopWait{10000};
};

} // namespace tarvik::server
