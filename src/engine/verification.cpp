#include "engine/verification.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"

#include <array>
#include <cmath>

namespace tarvik {

namespace {

using numbers::numberText;
using numbers::roundHalfEven;

struct Mark {
    double at;
    const char *text;
};

// The four progress marks of a range lb..ub; two marks that round to the
// same number print only the lower percentage, since the first match wins.
std::array<Mark, 4> progressMarks(std::int32_t lb, std::int32_t ub)
{
    const std::int32_t span = ub - lb;
    const auto mark = [&](double p) { return roundHalfEven(lb + span * p); };
    return {{{mark(0.2), "Verification is 20% complete @ "},
             {mark(0.4), "Verification is 40% complete @ "},
             {mark(0.6), "Verification is 60% complete @ "},
             {mark(0.8), "Verification is 80% complete @ "}}};
}

} // namespace

void verifyResults(std::span<const double> values, std::int32_t low, std::int16_t thread, std::vector<double> &results,
                   RunConsole &host, const std::function<double()> &getTime)
{
    const std::int32_t lb = low;
    const std::int32_t ub = low + static_cast<std::int32_t>(values.size()) - 1;
    if (lb < 0 || static_cast<std::size_t>(ub) >= results.size())
        throw Fault(faults::SubscriptOutOfRange);

    const std::string threadText = std::to_string(thread);
    if (host.cacheModeOn()) {
        host.PrintLn("Verifying results for thread " + threadText);
        host.processEvents();
    }
    const auto marks = progressMarks(lb, ub);
    std::size_t k = 0;
    for (double i = lb; i <= ub; i += 1.0, ++k) {
        const double value = values[k];
        results[static_cast<std::size_t>(i)] = value;
        if (!host.cacheModeOn())
            continue;
        if (std::nearbyint(value * value) != i)
            host.PrintLn("WARNING: Incorrect result stored for sqrt(" + numberText(i) + ")");
        for (const Mark &m : marks) {
            if (m.at == i) {
                host.PrintLn(m.text + numberText(roundHalfEven(getTime(), 3), host.decimalSeparator()) + " seconds");
                break;
            }
        }
    }
    if (host.cacheModeOn())
        host.PrintLn("Verification Complete for thread " + threadText);
}

} // namespace tarvik
