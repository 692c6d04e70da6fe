#pragma once

#include "requests/stored_result.h"

#include <string>
#include <vector>

namespace tarvik::server {

// The results of one test over time as inline SVG with its legend: one
// point per result, oldest left, its height the speed (1 / time) against the
// fastest of them, so a faster result stands higher. `results` newest first,
// as a history page lists them. Empty input gives an empty text.
std::string historyChartSvg(const std::vector<StoredResult> &results);

} // namespace tarvik::server
