#pragma once

#include "web/processor_results.h"

#include <cstddef>
#include <vector>

namespace tarvik::server {

// The times of one test at one thread count.
struct TimeSummary {
    int test = 0;
    int threads = 0;
    std::vector<double> seconds; // fastest first
    double best() const { return seconds.front(); }
    // The time below which `percent` per cent of the others lie: the
    // nearest lower rank, as the plausibility band counts it.
    double percentile(int percent) const;
    double median() const { return percentile(50); }
};

// One summary per test and thread count, by test, then thread count.
std::vector<TimeSummary> summarize(const std::vector<TimeSample> &samples);

} // namespace tarvik::server
