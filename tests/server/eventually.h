#pragma once

#include <chrono>
#include <thread>

namespace tarvik::server::testing {

// Whether `condition` holds within `deadline`, tried again and again: for
// what another process changed, which the server's pages show once the
// page they had kept runs out of time.
template <typename Condition>
bool eventually(Condition condition, std::chrono::seconds deadline = std::chrono::seconds(60))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace tarvik::server::testing
