#pragma once

#include <functional>
#include <optional>

namespace tarvik {

// The single clock of a run: single-precision seconds since the run's origin.
// It reads a monotonic source, so a run that crosses midnight or a change of
// the system time keeps counting forward; tests swap the source.
class RunClock {
public:
    using Source = std::function<double()>; // monotonic seconds

    RunClock();
    explicit RunClock(Source source);

    // With reset, or before any origin is set, the origin becomes now.
    float GetTime(bool reset = false);

private:
    Source m_now;
    std::optional<double> m_clockOrigin;
};

} // namespace tarvik
