#include "sample_statistics.h"

#include "measurement/run_statistics.h"

#include <algorithm>
#include <utility>

namespace tarvik::bench {

double median(std::vector<double> samples)
{
    return measurement::medianOf(std::move(samples));
}

double fastest(const std::vector<double> &samples)
{
    return *std::min_element(samples.begin(), samples.end());
}

Spread spreadOf(const std::vector<double> &samples)
{
    // The sample standard deviation: the mean is estimated from the same runs.
    const measurement::RunStatistics statistics = measurement::summarize(samples);
    return {statistics.minimum, statistics.median, *std::max_element(samples.begin(), samples.end()),
            statistics.coefficientOfVariation.value_or(0)};
}

} // namespace tarvik::bench
