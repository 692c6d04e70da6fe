#pragma once

#include "requests/stored_result.h"

#include <string>
#include <vector>

namespace tarvik::server {

// A horizontal bar chart of `leading` (fastest first) as inline SVG: one bar
// per result, its length the time, labelled with submitter, processor and
// time, so the spread shows at a glance. Empty input gives an empty text.
std::string barChartSvg(const std::vector<StoredResult> &leading);

} // namespace tarvik::server
