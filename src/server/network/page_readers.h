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
    // At the stop, the tasks still queued are dropped and the running ones
    // get up to `stopWait`: a reader stuck on a database that does not
    // answer is left behind rather than holding up the stop.
    PageReaders(int threads, std::chrono::milliseconds stopWait);
    ~PageReaders();
    PageReaders(const PageReaders &) = delete;
    PageReaders &operator=(const PageReaders &) = delete;

    void start(std::function<void()> task);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    std::chrono::milliseconds m_stopWait;
};

} // namespace tarvik::server
