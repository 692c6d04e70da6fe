#pragma once

#include "protocol/message.h"

#include <string>
#include <variant>
#include <vector>

namespace tarvik::server {

// A test whose checksum matches the time and processor it was sent with.
struct AcceptedTest {
    int test = 0;
    std::string timeText; // as sent, the decimal separator of the sender's locale included
    double seconds = 0;
    std::string checksum;
};

struct RefusedTest {
    std::string test; // as sent
    std::string rule; // the rule that refused it
    std::string reason;
};

struct CheckedSubmission {
    int threads = 0;
    std::vector<AcceptedTest> accepted;
    std::vector<RefusedTest> refused;
};

// Checks every test of a SUBMIT on its own: the test number (1 to 16), the
// time (a positive number, "." or "," as decimal separator) and the checksum,
// computed again from that time and the processor's clock and name, then the
// rules that need no stored results: the thread count and the physical
// floor. A thread count that is not a whole number from 1 to 32767 refuses
// the whole message.
std::variant<CheckedSubmission, MessageError> checkSubmission(const SubmitMessage &message);

} // namespace tarvik::server
