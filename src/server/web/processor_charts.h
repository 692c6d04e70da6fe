#pragma once

#include "web/time_statistics.h"

#include <optional>
#include <string>
#include <vector>

// Inline SVG charts of one processor's times; text in the page's colour, so
// they read in light and dark mode alike.
namespace tarvik::server::charts {

// How the times of one test and thread count spread: a histogram from the
// fastest (left) to the slowest, with the 10th percentile, the median and
// the 90th percentile marked.
std::string distributionSvg(const TimeSummary &summary);

// The median time of `test` per thread count on a logarithmic thread axis,
// the ideal scaling t1/n from the one-thread median when there is one, and
// the core count marked when it is known. Empty when `summaries` hold no
// time of `test`.
std::string scalingSvg(int test, const std::vector<TimeSummary> &summaries, std::optional<int> cores);

} // namespace tarvik::server::charts
