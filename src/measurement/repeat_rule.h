#pragma once

#include <vector>

namespace tarvik::measurement {

// Why a run that repeats until its times agree stopped, or that it goes on.
enum class RepeatStep {
    Again,       // fewer than the least number of runs, or still spread out
    Steady,      // the coefficient of variation fell under the limit
    BudgetSpent, // the time budget is spent before the times agreed
    MostRuns,    // the largest number of runs the command line allows
};

struct RepeatRule {
    static constexpr int LeastRuns = 3;
    static constexpr double SteadyVariation = 0.035; // 3.5 %
    double budgetSeconds = 60;                       // what all the runs may take together
    int mostRuns = 10000;
};

// The step after the runs that took `seconds` so far (their measured
// times); the budget counts those times, so the runs' start-up and the
// pauses between them do not eat into it.
RepeatStep nextRepeat(const RepeatRule &rule, const std::vector<double> &seconds);

} // namespace tarvik::measurement
