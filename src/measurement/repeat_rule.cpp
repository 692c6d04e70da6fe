#include "measurement/repeat_rule.h"

#include "measurement/run_statistics.h"

#include <numeric>

namespace tarvik::measurement {

RepeatStep nextRepeat(const RepeatRule &rule, const std::vector<double> &seconds)
{
    const int runs = static_cast<int>(seconds.size());
    if (runs >= rule.mostRuns)
        return RepeatStep::MostRuns;
    if (runs < RepeatRule::LeastRuns)
        return RepeatStep::Again;
    if (*summarize(seconds).coefficientOfVariation < RepeatRule::SteadyVariation)
        return RepeatStep::Steady;
    if (std::accumulate(seconds.begin(), seconds.end(), 0.0) >= rule.budgetSeconds)
        return RepeatStep::BudgetSpent;
    return RepeatStep::Again;
}

} // namespace tarvik::measurement
