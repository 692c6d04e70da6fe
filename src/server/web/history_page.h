#pragma once

#include "requests/stored_result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::server {

// One page of a submitter's accepted, listed results, newest first: of every
// machine, or of the one machine of result `machineOf` (its processor record
// whole, under the same name).
struct HistoryPage {
    std::string submitter;
    std::int64_t machineOf = 0; // 0: every machine
    int page = 1;               // counted from 1
    int pageSize = 50;
    std::int64_t total = 0;
    std::vector<StoredResult> entries;

    int pageCount() const { return total == 0 ? 1 : static_cast<int>((total + pageSize - 1) / pageSize); }
};

} // namespace tarvik::server
