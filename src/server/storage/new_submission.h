#pragma once

#include "protocol/message.h"
#include "requests/submission_check.h"

#include <string>

namespace tarvik::server {

// A checked submission on its way into the database: the message as it came,
// what was read from it, and where it came from.
struct NewSubmission {
    std::string rawMessage;
    std::string channel; // "tcp" or "http"
    std::string peer;    // the sender's address
    SubmitMessage message;
    CheckedSubmission checked;
    // Submissions the sender's address may make a minute, counted in the
    // database across every server on it; 0: no limit.
    int submissionsPerMinute = 0;
};

} // namespace tarvik::server
