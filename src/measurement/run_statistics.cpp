#include "measurement/run_statistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace tarvik::measurement {

namespace {

// t(0.975) for 1 to 30 degrees of freedom.
constexpr std::array<double, 30> SmallSampleT = {
    12.7062, 4.3027, 3.1824, 2.7764, 2.5706, 2.4469, 2.3646, 2.3060, 2.2622, 2.2281,
    2.2010,  2.1788, 2.1604, 2.1448, 2.1314, 2.1199, 2.1098, 2.1009, 2.0930, 2.0860,
    2.0796,  2.0739, 2.0687, 2.0639, 2.0595, 2.0555, 2.0518, 2.0484, 2.0452, 2.0423,
};

constexpr double NormalQuantile975 = 1.959964;
constexpr double ModifiedZScale = 0.6745;
constexpr double OutlierScore = 3.5;

} // namespace

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double studentT95(std::size_t degreesOfFreedom)
{
    if (degreesOfFreedom <= SmallSampleT.size())
        return SmallSampleT[degreesOfFreedom - 1];
    // Beyond the table the Cornish-Fisher expansion around the normal
    // quantile is good to four decimals.
    const double z = NormalQuantile975;
    const double v = static_cast<double>(degreesOfFreedom);
    const double z3 = z * z * z;
    const double z5 = z3 * z * z;
    return z + (z3 + z) / (4 * v) + (5 * z5 + 16 * z3 + 3 * z) / (96 * v * v);
}

std::vector<std::size_t> outlierPositions(const std::vector<double> &values)
{
    const double median = medianOf(values);
    std::vector<double> deviations;
    for (double value : values)
        deviations.push_back(std::fabs(value - median));
    const double mad = medianOf(deviations);
    std::vector<std::size_t> outliers;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool outlier = mad > 0 ? ModifiedZScale * deviations[i] / mad > OutlierScore : deviations[i] > 0;
        if (outlier)
            outliers.push_back(i);
    }
    return outliers;
}

RunStatistics summarize(const std::vector<double> &seconds)
{
    RunStatistics s;
    s.runs = seconds.size();
    s.minimum = *std::min_element(seconds.begin(), seconds.end());
    s.median = medianOf(seconds);
    const double n = static_cast<double>(s.runs);
    s.mean = std::accumulate(seconds.begin(), seconds.end(), 0.0) / n;
    s.outliers = outlierPositions(seconds);
    if (s.runs < 2)
        return s;
    double squares = 0;
    for (double value : seconds)
        squares += (value - s.mean) * (value - s.mean);
    const double deviation = std::sqrt(squares / (n - 1));
    s.standardDeviation = deviation;
    s.coefficientOfVariation = deviation / s.mean;
    const double halfWidth = studentT95(s.runs - 1) * deviation / std::sqrt(n);
    s.confidenceLow = s.mean - halfWidth;
    s.confidenceHigh = s.mean + halfWidth;
    return s;
}

} // namespace tarvik::measurement
