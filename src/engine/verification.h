#pragma once

#include "engine/run_host.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tarvik {

// Copies one worker's stored roots into the run's results and, while cache
// mode is on, checks every one of them again (its square must round to the
// number) with progress lines at 20, 40, 60 and 80 % of the range.
// The host's cache mode is read at every step: switching it off mid-run
// leaves a silent copy. A range outside `results` throws Fault("Subscript out of range").
void verifyResults(std::span<const double> values, std::int32_t low, std::int16_t thread, std::vector<double> &results,
                   RunConsole &host, const std::function<double()> &getTime);

} // namespace tarvik
