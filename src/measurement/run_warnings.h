#pragma once

#include "measurement/run_conditions.h"

#include <string>
#include <vector>

namespace tarvik::measurement {

// A condition that spoils a score, with a one-line reason.
struct RunWarning {
    std::string kind; // "load", "governor", "throttling", "frequency", "virtual-machine"
    std::string reason;
    bool operator==(const RunWarning &) const = default;
};

// Other processes using more than this share of the machine's processor
// time push the test's threads off their cores.
inline constexpr double MostOthersShare = 0.05;
// A spread of the sampled frequencies beyond this share of their median.
inline constexpr double MostFrequencySpread = 0.25;

std::vector<RunWarning> runWarnings(const RunConditions &conditions);

// "12.3": a share (0.123) as a percentage with one decimal.
std::string percentText(double share);

} // namespace tarvik::measurement
