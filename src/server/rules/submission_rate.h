#pragma once

#include <chrono>
#include <deque>
#include <string>
#include <unordered_map>

namespace tarvik::server::rules {

// How many submissions each address has sent in the last minute. An
// address over the limit is refused until its oldest submission of the
// minute is a minute old; refused attempts do not count, so a client that
// keeps trying is not locked out for ever.
class SubmissionRate {
public:
    using Clock = std::chrono::steady_clock;

    explicit SubmissionRate(int perMinute) : m_perMinute(perMinute) {}

    // Counts a submission from `address` at `now` when the address is
    // within its limit; false (and nothing counted) when it is not.
    bool admit(const std::string &address, Clock::time_point now);
    int perMinute() const { return m_perMinute; }

private:
    void forgetBefore(Clock::time_point start);

    int m_perMinute;
    std::unordered_map<std::string, std::deque<Clock::time_point>> m_sent;
    Clock::time_point m_lastSweep{};
};

} // namespace tarvik::server::rules
