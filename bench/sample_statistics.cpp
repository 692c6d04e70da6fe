#include "sample_statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tarvik::bench {

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    if (samples.size() % 2 == 1)
        return samples[middle];
    return (samples[middle - 1] + samples[middle]) / 2;
}

double fastest(const std::vector<double> &samples)
{
    return *std::min_element(samples.begin(), samples.end());
}

Spread spreadOf(const std::vector<double> &samples)
{
    const auto [lowest, highest] = std::minmax_element(samples.begin(), samples.end());
    const double count = static_cast<double>(samples.size());
    const double mean = std::accumulate(samples.begin(), samples.end(), 0.0) / count;
    double squares = 0;
    for (double s : samples)
        squares += (s - mean) * (s - mean);
    // The sample standard deviation: the mean is estimated from the same runs.
    const double deviation = std::sqrt(squares / (count - 1));
    return {*lowest, median(samples), *highest, deviation / mean};
}

} // namespace tarvik::bench
