#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace tarvik::server {

// Wakes the event loop for the work a Handover holds. Its slot is called
// by name, so the queued call Qt makes carries none of the program's data.
class HandoverWaker : public QObject {
    Q_OBJECT

public:
    explicit HandoverWaker(std::function<void()> runQueued) : m_runQueued(std::move(runQueued)) {}

public slots:
    void wake() { m_runQueued(); }

private:
    std::function<void()> m_runQueued;
};

// Carries work from the database's and the page readers' threads to the
// event loop's thread. The work waits in a queue under a mutex of its own and
// a queued call only wakes the loop: Qt's own queue is guarded by a lock that
// ThreadSanitizer cannot see, this one it can, so what a thread captured and
// the loop then reads is a hand-over it checks.
class Handover {
public:
    using Work = std::function<void()>;

    // What another thread keeps to post work. Work posted after the
    // Handover is gone is dropped: the server is stopping.
    class Sender {
    public:
        void operator()(Work work) const;

    private:
        friend class Handover;
        struct Mailbox;
        explicit Sender(std::shared_ptr<Mailbox> mailbox) : m_mailbox(std::move(mailbox)) {}
        std::shared_ptr<Mailbox> m_mailbox;
    };

    // Work runs on the thread that makes the Handover.
    Handover();
    ~Handover();
    Handover(const Handover &) = delete;
    Handover &operator=(const Handover &) = delete;

    Sender sender() const { return Sender(m_mailbox); }

private:
    std::shared_ptr<Sender::Mailbox> m_mailbox;
};

struct Handover::Sender::Mailbox {
    std::mutex mutex;
    std::deque<Work> queue;
    std::unique_ptr<HandoverWaker> waker = std::make_unique<HandoverWaker>([this] { runQueued(); });
    bool open = true;

    void runQueued();
};

} // namespace tarvik::server
