#pragma once

#include "rules/result_rules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::server {

// What became of one checked test: a new result, or the stored one it
// repeats.
struct StoredTest {
    int test = 0;
    double seconds = 0;
    std::int64_t id = 0;
    rules::Decision decision; // of the result under `id`
    bool alreadyStored = false;
};

// What became of a submission's checked tests, in their order.
struct StoredSubmission {
    std::vector<StoredTest> tests;
    // The new submission and the secret that manages it, given out this
    // once; 0 and empty when every test was already stored.
    std::int64_t submissionId = 0;
    std::string managementKey;
    // The sender's address had made its submissions of the minute, on this
    // server or another: nothing was stored.
    bool overRate = false;
};

// A test of it is a new accepted result, so the leaderboard is no longer
// what it was.
bool ranksNewResult(const StoredSubmission &stored);

// The web side's page where a submission's key manages it.
inline constexpr std::string_view ManagementPage = "/manage";
// Its address for one submission.
std::string managementPath(std::int64_t submissionId, const std::string &key);

} // namespace tarvik::server
