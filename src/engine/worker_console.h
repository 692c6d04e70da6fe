#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarvik {

// What a worker may call on the console. Every call is synchronous: the
// worker waits until the console's thread has run it.
class WorkerConsole {
public:
    virtual ~WorkerConsole() = default;

    virtual void PrintLn(const std::string &message) = 0;
    // Seconds since the run's clock origin.
    virtual double GetTime() = 0;
    // The worker's stored results, values[0] being the root of `low`.
    virtual void output(std::span<const double> values, std::int32_t low, std::int16_t threadID) = 0;
    virtual void complete(bool quiet, bool error) = 0;
    // Only tells whether the console is still reachable: it throws when not.
    virtual void signal() = 0;
};

} // namespace tarvik
