#include "run_timing.h"

#include <chrono>
#include <ctime>

namespace tarvik::bench {

namespace {
double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
} // namespace

RunTiming timed(const std::function<void()> &work)
{
    const double cpuStart = processCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), processCpuSeconds() - cpuStart};
}

} // namespace tarvik::bench
