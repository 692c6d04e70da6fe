#pragma once

#include <cstdint>

namespace tarvik {

// The numbers a test covers and how they are split over the workers.
// Test size k covers 0..N with N = 1024 * 2^(k+9) - 1, or 2^(k+9) - 1 in
// quick mode; size 6 is the 32M test, 11 the 1024M test, -5 the quick test.
double rangeEnd(std::int16_t size, bool quickMode);

// The count a run announces; it keeps the factor 1024 in quick mode too.
double announcedCount(std::int16_t size);

struct WorkerRange {
    std::int32_t Low;
    std::int32_t High;
};

// Worker i of `threads` (1-based) gets round((i-1)*per)..round(i*per) with
// per = N / threads, ties to even. Neighbours share their common end, so no
// number is left out and the remainder is spread by the rounding. An end
// beyond the 32-bit range throws Fault("Overflow").
WorkerRange workerRange(double N, std::int16_t threads, std::int16_t i);

} // namespace tarvik
