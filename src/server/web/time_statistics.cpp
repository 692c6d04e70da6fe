#include "web/time_statistics.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tarvik::server {

double TimeSummary::percentile(int percent) const
{
    return seconds[(seconds.size() - 1) * static_cast<std::size_t>(percent) / 100];
}

std::vector<TimeSummary> summarize(const std::vector<TimeSample> &samples)
{
    std::map<std::pair<int, int>, std::vector<double>> groups;
    for (const TimeSample &sample : samples)
        groups[{sample.test, sample.threads}].push_back(sample.seconds);
    std::vector<TimeSummary> summaries;
    for (auto &[key, seconds] : groups) {
        std::sort(seconds.begin(), seconds.end());
        summaries.push_back({key.first, key.second, std::move(seconds)});
    }
    return summaries;
}

} // namespace tarvik::server
