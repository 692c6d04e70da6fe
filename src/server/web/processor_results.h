#pragma once

#include "requests/stored_result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::server {

// One accepted, listed time of a processor.
struct TimeSample {
    int test = 0;
    int threads = 0;
    double seconds = 0;
};

// What the processor page shows: the accepted, listed times of one
// processor record text, its latest MostSamples at most, and one page of
// those results, newest first.
struct ProcessorResults {
    // Enough for steady percentiles; beyond it a popular processor's page
    // would cost more with every result stored.
    static constexpr std::size_t MostSamples = 5000;

    std::string processor;
    std::vector<TimeSample> samples;
    int page = 1; // counted from 1
    int pageSize = 25;
    std::vector<StoredResult> entries;

    // Only the latest MostSamples were read: there may be more.
    bool sampled() const { return samples.size() >= MostSamples; }
    std::int64_t total() const { return static_cast<std::int64_t>(samples.size()); }
    int pageCount() const { return samples.empty() ? 1 : static_cast<int>((total() + pageSize - 1) / pageSize); }
};

} // namespace tarvik::server
