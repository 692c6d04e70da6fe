#pragma once

#include <optional>
#include <string>
#include <vector>

// The rules every test of a submission goes through, with their numbers, in
// one place: the server applies them, /rules publishes them, and each
// stored result keeps the version that judged it.
namespace tarvik::server::rules {

// Raised whenever a rule or one of its numbers changes.
inline constexpr int Version = 1;

enum class Verdict { Accepted, Held, Refused };

// "accepted", "held", "refused": as stored beside a result.
const char *verdictName(Verdict verdict);
Verdict verdictFromName(const std::string &name);
// "accepted", "held for review", "refused": as shown to people.
const char *verdictWords(Verdict verdict);

// What decided a test's verdict: the rule's name and, when it held or
// refused the test, why, in a sentence that names the rule.
struct Decision {
    Verdict verdict = Verdict::Accepted;
    std::string rule;
    std::string reason;

    bool operator==(const Decision &) const = default;
};

// The rule names, as decisions and the table give them.
inline constexpr const char *ChecksumRule = "checksum";
inline constexpr const char *ThreadCountRule = "thread count";
inline constexpr const char *PhysicalFloorRule = "physical floor";
inline constexpr const char *DuplicateRule = "duplicates";
inline constexpr const char *PlausibilityRule = "plausibility band";
inline constexpr const char *RateRule = "rate";
// Results stored before there were rules.
inline constexpr const char *EarlierRule = "stored before the rules";

// Thread counts a result may have been made with.
inline constexpr int FewestThreads = 1;
inline constexpr int MostThreads = 256;

// The physical floor. Each number takes 18 double-precision divisions, each
// depending on the one before. No processor finishes more than about 1.6
// divisions a cycle on one core (the widest vector dividers known, counted at
// full throughput across numbers), and none runs faster than about 9 GHz;
// the floor allows 4 divisions a cycle at 10 GHz, 2.5 and 1.1 times beyond
// those: 18 / (4 x 10^10) s = 0.45 ns per number on one thread. Real runs
// take some 100 ns or more per number and thread, so only forged or
// shortened runs come near it.
inline constexpr double DivisionsPerNumber = 18;
inline constexpr double DivisionsPerCycle = 4;
inline constexpr double CyclesPerSecond = 10e9;
inline constexpr double FloorSecondsPerNumber = DivisionsPerNumber / (DivisionsPerCycle * CyclesPerSecond);

// The plausibility band: with at least BandResults accepted results for the
// same test, processor and thread count, a time below BandFraction of the
// BandPercentile-th percentile of the latest BandSample of them is held for
// review. The sample keeps the cost of a submission the same however many
// results a popular processor has.
inline constexpr long long BandResults = 10;
inline constexpr long long BandSample = 1000;
inline constexpr int BandPercentile = 10;
inline constexpr double BandFraction = 0.5;

// How many whole numbers test `test` computes (2^(test + 19)).
double numbersOf(int test);
// The least time test `test` can take on `threads` threads.
double floorSeconds(int test, int threads);

std::optional<Decision> checkThreadCount(int threads);
std::optional<Decision> checkPhysicalFloor(int test, int threads, double seconds);

// The accepted results a new one is compared with.
struct Band {
    long long results = 0; // how many
    double percentile = 0; // their BandPercentile-th percentile, when there are enough
};
// The band of these times: the percentile is the time at place
// (results - 1) * BandPercentile / 100 of the sorted times, rounded down.
Band bandOf(std::vector<double> seconds);
std::optional<Decision> checkPlausibility(double seconds, const Band &band);

Decision accepted();

// One row of the published table.
struct TableRow {
    std::string rule;
    std::string verdict; // what the rule gives a test it catches
    std::string text;
};
std::vector<TableRow> table(int submissionsPerMinute);

} // namespace tarvik::server::rules
