#pragma once

#include "protocol/message_builder.h"
#include "records/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::submit {

// What a submission carries of the session's records, for the result server
// and for HWBOT alike: every record made without quick mode, in increasing
// test order. A quick-mode time is no result of its test, so those tests are
// left out and named for the user.
struct SubmittedRecords {
    std::vector<BestTime> times;
    std::vector<std::int16_t> quickModeTests;
};

SubmittedRecords submittedRecords(const Records &records);

// "Test 6 was run in quick mode and is not submitted."
std::string quickModeNotice(std::int16_t test);

} // namespace tarvik::submit
