#pragma once

#include "hardware/line_sink.h"

#include <cstdint>

namespace tarvik {

// Decides which processor clock to believe: a measured clock when it is
// plausible, else the clock the system reports. Warns once per lifetime
// about a rejected measurement.
class ClockCheck {
public:
    // The value that stands for "no measurement exists"; it silences the warning.
    static constexpr float NoMeasurement = -1.0f;

    // Returns a whole number of MHz: `reported` when the measurement is 300 MHz
    // or less, or when `reported` is at least five times the measurement;
    // otherwise the measurement rounded half to even.
    std::int32_t check(std::int32_t reported, float measured, char decimalSeparator, const LineSink &print);

    bool warned() const { return m_warned; }

private:
    bool m_warned = false;
};

} // namespace tarvik
