#pragma once

#include <vector>

namespace tarvik::bench {

// The spread of repeated timings of one thing.
struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
    double coefficientOfVariation = 0; // standard deviation / mean
};

double median(std::vector<double> samples);
// The least disturbed of several timings of the same work.
double fastest(const std::vector<double> &samples);
Spread spreadOf(const std::vector<double> &samples);

} // namespace tarvik::bench
