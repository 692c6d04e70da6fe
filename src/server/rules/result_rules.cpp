#include "rules/result_rules.h"

#include "foundation/numbers.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tarvik::server::rules {

namespace {

// Seconds to four significant digits: enough to compare with a floor or a
// percentile, and short enough to read.
std::string secondsText(double seconds)
{
    if (seconds <= 0)
        return numbers::numberText(seconds) + " s";
    const int decimals = std::max(0, 3 - static_cast<int>(std::floor(std::log10(seconds))));
    return numbers::numberText(numbers::roundHalfEven(seconds, decimals)) + " s";
}

Decision decision(Verdict verdict, const char *rule, const std::string &why)
{
    return {verdict, rule, std::string(rule) + ": " + why};
}

} // namespace

const char *verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Accepted:
        return "accepted";
    case Verdict::Held:
        return "held";
    case Verdict::Refused:
        return "refused";
    }
    return "refused";
}

Verdict verdictFromName(const std::string &name)
{
    for (Verdict verdict : {Verdict::Accepted, Verdict::Held, Verdict::Refused})
        if (name == verdictName(verdict))
            return verdict;
    throw std::invalid_argument("no verdict is named " + name);
}

const char *verdictWords(Verdict verdict)
{
    return verdict == Verdict::Held ? "held for review" : verdictName(verdict);
}

double numbersOf(int test)
{
    return std::ldexp(1.0, test + 19);
}

double floorSeconds(int test, int threads)
{
    return numbersOf(test) * FloorSecondsPerNumber / threads;
}

std::optional<Decision> checkThreadCount(int threads)
{
    if (threads >= FewestThreads && threads <= MostThreads)
        return std::nullopt;
    return decision(Verdict::Refused, ThreadCountRule,
                    std::to_string(threads) + " threads is not a count from " + std::to_string(FewestThreads) + " to " +
                        std::to_string(MostThreads));
}

std::optional<Decision> checkPhysicalFloor(int test, int threads, double seconds)
{
    const double floor = floorSeconds(test, threads);
    if (seconds >= floor)
        return std::nullopt;
    return decision(Verdict::Refused, PhysicalFloorRule,
                    secondsText(seconds) + " is below the " + secondsText(floor) + " that any processor needs for " +
                        numbers::numberText(numbersOf(test)) + " numbers on " + std::to_string(threads) +
                        (threads == 1 ? " thread" : " threads"));
}

Band bandOf(std::vector<double> seconds)
{
    Band band{static_cast<long long>(seconds.size()), 0};
    if (band.results < BandResults)
        return band;
    const auto place = seconds.begin() + (band.results - 1) * BandPercentile / 100;
    std::nth_element(seconds.begin(), place, seconds.end());
    band.percentile = *place;
    return band;
}

std::optional<Decision> checkPlausibility(double seconds, const Band &band)
{
    if (band.results < BandResults || seconds >= BandFraction * band.percentile)
        return std::nullopt;
    return decision(Verdict::Held, PlausibilityRule,
                    secondsText(seconds) + " is below half of " + secondsText(band.percentile) + ", the " +
                        std::to_string(BandPercentile) + "th percentile of the " + std::to_string(band.results) +
                        " accepted results of this test, processor and thread count");
}

Decision accepted()
{
    return {Verdict::Accepted, "", ""};
}

std::vector<TableRow> table(int submissionsPerMinute)
{
    const std::string floorNanoseconds = numbers::numberText(FloorSecondsPerNumber * 1e9);
    return {
        {ChecksumRule, "refused",
         "The checksum must match the test, the time and the processor's clock and name it was sent with; a test "
         "number outside 1 to 16 or a time that is not a positive number is refused with it."},
        {ThreadCountRule, "refused",
         "The thread count must be from " + std::to_string(FewestThreads) + " to " + std::to_string(MostThreads) + "."},
        {PhysicalFloorRule, "refused",
         "A time below " + floorNanoseconds +
             " ns per number and thread: each number takes 18 double-precision divisions, each depending on the "
             "one before. No processor core finishes more than about 1.6 divisions a cycle, nor runs above about "
             "9 GHz; the floor allows 4 divisions a cycle at 10 GHz. The 32M test on one thread cannot take less "
             "than " +
             secondsText(floorSeconds(6, 1)) + ", the 1024M test not less than " + secondsText(floorSeconds(11, 1)) +
             "; with n threads, 1/n of that."},
        {DuplicateRule, "not stored again",
         "A test whose test number, time, checksum and processor record equal a stored result's is that result: "
         "the answer gives its id, whoever sends it and however often."},
        {PlausibilityRule, "held for review",
         "Once a test has " + std::to_string(BandResults) +
             " accepted results on one processor with one thread count, a new time below " +
             numbers::numberText(BandFraction) + " times the " + std::to_string(BandPercentile) +
             "th percentile of the latest " + std::to_string(BandSample) +
             " of them waits for review before it is ranked."},
        {RateRule, "refused",
         "One address may send " + std::to_string(submissionsPerMinute) +
             " submissions a minute; further ones are refused whole until the minute is over."},
    };
}

} // namespace tarvik::server::rules
