#pragma once

#include "foundation/protocol.h"
#include "protocol/processor_record.h"
#include "rules/result_rules.h"

#include <cstdint>
#include <string>

namespace tarvik::server {

// One stored test result with the submission it came in.
struct StoredResult {
    std::int64_t id = 0;
    std::string submitter;
    std::string description;
    ProcessorRecord processor;
    int threads = 0;
    int test = 0;
    std::string timeText; // as sent
    double seconds = 0;
    std::string checksum;
    std::string submittedAt; // UTC, "2026-12-10 02:30:00"
    std::int64_t submissionId = 0;
    rules::Decision decision;
    int rulesVersion = 0; // 0: stored before there were rules
    bool listed = true;   // false: hidden by its submitter

    bool operator==(const StoredResult &) const = default;
};

// "accepted", "held for review (plausibility band: ...)", "refused (review:
// ...)", with ", hidden by its submitter" when it is.
std::string verdictText(const StoredResult &stored);

// "32M (speed test)", "1024M (stability test)", else "Test <n>".
std::string testCaption(int test);

} // namespace tarvik::server
