#include "network/handover.h"

namespace tarvik::server {

Handover::Handover()
    : m_mailbox(std::make_shared<Sender::Mailbox>())
{
}

Handover::~Handover()
{
    std::unique_ptr<HandoverWaker> waker;
    {
        std::lock_guard lock(m_mailbox->mutex);
        m_mailbox->open = false;
        m_mailbox->queue.clear();
        waker = std::move(m_mailbox->waker);
    }
    // Deleting it drops the wake-ups still queued for it.
}

void Handover::Sender::operator()(Work work) const
{
    std::lock_guard lock(m_mailbox->mutex);
    if (!m_mailbox->open)
        return;
    m_mailbox->queue.push_back(std::move(work));
    // Under the lock: the Handover cannot delete the waker meanwhile.
    QMetaObject::invokeMethod(m_mailbox->waker.get(), "wake", Qt::QueuedConnection);
}

void Handover::Sender::Mailbox::runQueued()
{
    std::deque<Work> ready;
    {
        std::lock_guard lock(mutex);
        ready.swap(queue);
    }
    for (Work &work : ready)
        work();
}

} // namespace tarvik::server
