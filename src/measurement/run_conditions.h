#pragma once

#include "measurement/cpu_times.h"
#include "measurement/system_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvik::measurement {

struct FrequencyRange {
    double minimum = 0;
    double median = 0;
    double maximum = 0;
};

// What the machine was like during one run, or during several together.
struct RunConditions {
    SystemState system;
    // Every CPU's frequency in MHz at every sample taken during the run.
    std::vector<double> frequencySamplesMHz;
    // The change of the thermal-throttle counters; nothing where sysfs has none.
    std::optional<std::int64_t> throttleEvents;
    std::optional<OthersLoad> load;

    std::optional<FrequencyRange> frequencies() const;
};

// The conditions of several runs as one: the system as the last run found
// it, every frequency sample, and the throttle events and load added up.
RunConditions combined(const std::vector<RunConditions> &runs);

} // namespace tarvik::measurement
