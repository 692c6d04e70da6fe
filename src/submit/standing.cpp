#include "submit/standing.h"

#include "foundation/numbers.h"

#include <algorithm>

namespace tarvik::submit {

namespace {

double milliseconds(double seconds)
{
    return numbers::roundHalfEven(seconds * 1000, 0);
}

} // namespace

std::optional<Standing> standingAmong(double seconds, const std::vector<double> &others)
{
    if (others.empty())
        return std::nullopt;
    const double mine = milliseconds(seconds);
    const auto faster = std::count_if(others.begin(), others.end(), [&](double t) { return milliseconds(t) < mine; });
    const bool held = std::any_of(others.begin(), others.end(), [&](double t) { return milliseconds(t) == mine; });
    return Standing{static_cast<int>(faster) + 1, static_cast<int>(others.size()) + (held ? 0 : 1)};
}

std::string ordinal(int number)
{
    const int lastTwo = number % 100;
    const int last = number % 10;
    const char *suffix = "th";
    if (lastTwo < 11 || lastTwo > 13)
        suffix = last == 1 ? "st" : last == 2 ? "nd" : last == 3 ? "rd" : "th";
    return std::to_string(number) + suffix;
}

std::string standingLine(const std::string &caption, std::optional<double> best,
                         const std::vector<double> &serverTimes, const std::string &server, char decimalSeparator)
{
    if (!best)
        return caption + ": no run of this test in the history to compare.";
    const std::string time = numbers::numberText(numbers::roundHalfEven(*best, 3), decimalSeparator) + " s";
    const std::optional<Standing> standing = standingAmong(*best, serverTimes);
    if (!standing)
        return caption + ": " + time + "; " + server + " has no results of this processor for this test.";
    return caption + ": " + time + " would rank " + ordinal(standing->rank) + " of " + std::to_string(standing->field) +
           " results of this processor on " + server;
}

} // namespace tarvik::submit
