#pragma once

#include <functional>

namespace tarvik::bench {

// How long a piece of work took, and how much processor time the whole
// process spent meanwhile. On a shared machine the two tell apart work the
// program did from time it waited or was pushed off its core: coresUsed
// below the number of busy threads means other processes took the cores.
struct RunTiming {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double coresUsed() const { return cpuSeconds / wallSeconds; }
};

RunTiming timed(const std::function<void()> &work);

} // namespace tarvik::bench
