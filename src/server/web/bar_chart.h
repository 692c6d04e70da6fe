#pragma once

#include "requests/stored_result.h"

#include <string>
#include <vector>

namespace tarvik::server {

// A horizontal bar chart of `leading` (fastest first) as inline SVG with its
// legend: one bar per result, its length the speed (1 / time), so the leader
// has the longest bar, labelled with submitter, processor and time. Empty
// input gives an empty text.
std::string barChartSvg(const std::vector<StoredResult> &leading);

} // namespace tarvik::server
