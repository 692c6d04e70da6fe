#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tarvik::measurement {

// What repeated timings of one test say together. The spread figures need
// two runs or more; with one they are absent.
struct RunStatistics {
    std::size_t runs = 0;
    double minimum = 0;
    double median = 0;
    double mean = 0;
    std::optional<double> standardDeviation;      // sample standard deviation (n - 1)
    std::optional<double> coefficientOfVariation; // standard deviation / mean
    // The 95 % confidence interval of the mean, by Student's t.
    std::optional<double> confidenceLow;
    std::optional<double> confidenceHigh;
    // Positions (from 0) of the runs whose modified Z-score,
    // 0.6745 * (x - median) / MAD, exceeds 3.5 (Iglewicz and Hoaglin).
    std::vector<std::size_t> outliers;
};

double medianOf(std::vector<double> values);

// The two-sided 95 % quantile of Student's t with `degreesOfFreedom` (>= 1).
double studentT95(std::size_t degreesOfFreedom);

// The positions of the outliers among `values`. When more than half the
// values equal the median (MAD 0), every value that differs from it is one.
std::vector<std::size_t> outlierPositions(const std::vector<double> &values);

// Statistics of `seconds`, which must hold at least one value.
RunStatistics summarize(const std::vector<double> &seconds);

} // namespace tarvik::measurement
