#include "rules/submission_rate.h"

namespace tarvik::server::rules {

namespace {

constexpr std::chrono::minutes Window{1};

} // namespace

bool SubmissionRate::admit(const std::string &address, Clock::time_point now)
{
    // Addresses that have been quiet for a minute are dropped now and then,
    // so that many passing addresses do not grow the table.
    if (now - m_lastSweep >= Window) {
        forgetBefore(now - Window);
        m_lastSweep = now;
    }
    std::deque<Clock::time_point> &sent = m_sent[address];
    while (!sent.empty() && now - sent.front() >= Window)
        sent.pop_front();
    if (static_cast<int>(sent.size()) >= m_perMinute)
        return false;
    sent.push_back(now);
    return true;
}

void SubmissionRate::forgetBefore(Clock::time_point start)
{
    std::erase_if(m_sent, [start](const auto &entry) { return entry.second.empty() || entry.second.back() < start; });
}

} // namespace tarvik::server::rules
