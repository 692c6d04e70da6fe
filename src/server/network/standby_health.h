#pragma once

#include <atomic>
#include <chrono>

namespace tarvik::server {

// Whether the page readers try the hot standby, shared by all of them. After
// a failure they read from the primary for a while rather than try the
// standby for every page: one that does not answer would cost each page its
// whole connection wait. A change either way is reported once, not by every
// page that notices it.
class StandbyHealth {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds RetryPause{5};

    bool worthTrying(Clock::time_point now) const;
    // True when the standby counted as up until now.
    bool failed(Clock::time_point now);
    // True when the standby counted as down until now.
    bool answered();

private:
    std::atomic<bool> m_down{false};
    std::atomic<Clock::rep> m_retryAt{0};
};

} // namespace tarvik::server
