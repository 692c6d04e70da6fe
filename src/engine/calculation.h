#pragma once

#include "engine/worker_console.h"

#include <cstdint>
#include <string>

namespace tarvik {

// One worker's share of a run.
struct WorkerJob {
    std::int16_t threadID = 0;
    std::int32_t Low = 0;
    std::int32_t High = 0;
    bool cache = false;
    bool quiet = false;
    char decimalSeparator = '.'; // the console's, for the numbers the worker prints
};

// What the worker knows about the thread it runs on and how it writes numbers.
struct WorkerContext {
    std::string threadTag; // the kernel's thread id, upper-case hexadecimal
    char decimalSeparator = '.';
};

enum class CalculationEnd { Completed, CheatDetected };

// The worker's loop: the root of every number of the range, a clock check
// every 262144 numbers, a progress line every 2097152, then the results for
// verification (cache mode) and the completion call. It returns
// CheatDetected, after printing "Cheat detected.", as soon as the console's
// clock reads less than at the previous check; the caller then ends the
// process. Faults (no memory, a failed console call) propagate.
CalculationEnd Calculate(const WorkerJob &job, const WorkerContext &context, WorkerConsole &console);

} // namespace tarvik
