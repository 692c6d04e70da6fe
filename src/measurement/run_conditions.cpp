#include "measurement/run_conditions.h"

#include "measurement/run_statistics.h"

#include <algorithm>

namespace tarvik::measurement {

std::optional<FrequencyRange> RunConditions::frequencies() const
{
    if (frequencySamplesMHz.empty())
        return std::nullopt;
    const auto [low, high] = std::minmax_element(frequencySamplesMHz.begin(), frequencySamplesMHz.end());
    return FrequencyRange{*low, medianOf(frequencySamplesMHz), *high};
}

RunConditions combined(const std::vector<RunConditions> &runs)
{
    RunConditions all;
    for (const RunConditions &run : runs) {
        all.system = run.system;
        all.frequencySamplesMHz.insert(all.frequencySamplesMHz.end(), run.frequencySamplesMHz.begin(),
                                       run.frequencySamplesMHz.end());
        if (run.throttleEvents)
            all.throttleEvents = all.throttleEvents.value_or(0) + *run.throttleEvents;
        if (run.load) {
            const OthersLoad sum = all.load.value_or(OthersLoad{});
            all.load = OthersLoad{sum.others + run.load->others, sum.total + run.load->total};
        }
    }
    return all;
}

} // namespace tarvik::measurement
