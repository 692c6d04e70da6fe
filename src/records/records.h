#pragma once

#include "foundation/protocol.h"

#include <array>
#include <cstdint>

namespace tarvik {

// Per test size 1 to 16, a value kept by the console: the best time in
// seconds (0 meaning none) or the result server's id for that test.
template <typename Value>
class PerTest {
public:
    static constexpr int First = FirstTest;
    static constexpr int Last = LastTest;

    // Both throw Fault("Subscript out of range") for an index outside 1..16.
    Value get(std::int16_t index) const;
    void set(std::int16_t index, Value value);
    void clear() { m_values.fill(Value{}); }
    bool any() const;

private:
    std::array<Value, Last> m_values{};
};

// The best time per test size; a record belongs to the thread count it was
// made with.
using Records = PerTest<double>;
// The result server's id per test size.
using SubmissionIds = PerTest<std::int32_t>;

// Whether a finished run of `seconds` improves on `current` (0 = none yet).
// An equal time does not.
inline bool improvesRecord(double current, double seconds)
{
    return current == 0 || current > seconds;
}

} // namespace tarvik
