#pragma once

#include "foundation/protocol.h"

#include <array>
#include <cstdint>

namespace tarvik {

// Per test size 1 to 16, a value kept by the console: a test's record or the
// result server's id for that test.
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

// A test's best time in seconds (0 meaning none) and whether a quick-mode run
// made it. A quick-mode time measures 1024 times less work than its test, so
// it stays in the session but is neither submitted nor saved.
struct Record {
    double seconds = 0;
    bool quickMode = false;

    bool operator==(const Record &) const = default;
};

// The record per test size; a record belongs to the thread count it was made
// with. All throw Fault("Subscript out of range") outside 1..16.
class Records {
public:
    static constexpr int First = FirstTest;
    static constexpr int Last = LastTest;

    // The best time, 0 for none.
    double get(std::int16_t test) const { return m_records.get(test).seconds; }
    bool madeInQuickMode(std::int16_t test) const { return m_records.get(test).quickMode; }
    Record record(std::int16_t test) const { return m_records.get(test); }
    // A time given without its mode, as a score file holds it, is a full run's.
    void set(std::int16_t test, double seconds, bool quickMode = false) { m_records.set(test, {seconds, quickMode}); }
    void clear() { m_records.clear(); }
    bool any() const { return m_records.any(); }

private:
    PerTest<Record> m_records;
};

// The result server's id per test size.
using SubmissionIds = PerTest<std::int32_t>;

// Whether a finished run of `seconds` improves on `current` (0 = none yet).
// An equal time does not.
inline bool improvesRecord(double current, double seconds)
{
    return current == 0 || current > seconds;
}

// Whether a completed run replaces the test's `current` record. A run without
// quick mode replaces a quick-mode record whatever its time, so that the
// smaller run never blocks the test's real record; a quick-mode run never
// replaces a real record, which would lose the submittable one. Runs of the
// same mode compare by time.
inline bool replacesRecord(const Record &current, const Record &run)
{
    if (current.seconds == 0 || current.quickMode == run.quickMode)
        return improvesRecord(current.seconds, run.seconds);
    return current.quickMode;
}

} // namespace tarvik
