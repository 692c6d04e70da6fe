#pragma once

#include "requests/stored_result.h"

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

// What the processor page shows: every accepted, listed time of one
// processor record text, and one page of those results, newest first.
struct ProcessorResults {
    std::string processor;
    std::vector<TimeSample> samples;
    int page = 1; // counted from 1
    int pageSize = 25;
    std::vector<StoredResult> entries;

    std::int64_t total() const { return static_cast<std::int64_t>(samples.size()); }
    int pageCount() const { return samples.empty() ? 1 : static_cast<int>((total() + pageSize - 1) / pageSize); }
};

} // namespace tarvik::server
