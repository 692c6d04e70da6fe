#pragma once

#include "requests/stored_result.h"

#include <cstdint>
#include <vector>

namespace tarvik::server {

// One page of the ranking of a test: the best time of each submitter and
// processor, fastest first.
struct LeaderboardPage {
    int test = 0;
    int page = 1; // counted from 1
    int pageSize = 25;
    std::int64_t total = 0; // entries over all pages
    std::vector<StoredResult> entries;

    int pageCount() const { return total == 0 ? 1 : static_cast<int>((total + pageSize - 1) / pageSize); }
    // Rank of the first entry of this page, counted from 1.
    std::int64_t firstRank() const { return static_cast<std::int64_t>(page - 1) * pageSize + 1; }
};

} // namespace tarvik::server
