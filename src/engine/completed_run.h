#pragma once

#include <cstdint>

namespace tarvik {

// What one finished test run did, for the program's reports beyond the
// console (the results file and the history).
struct CompletedRun {
    std::int16_t test = 0;
    double numbers = 0; // how many whole numbers were computed
    std::int16_t threads = 0;
    bool quickMode = false;
    bool cacheMode = false;
    float seconds = 0; // the run clock's reading, before any rounding
    bool errors = false;
    bool newRecord = false;
};

} // namespace tarvik
