#pragma once

#include "protocol/message.h"
#include "requests/submission_check.h"

#include <cstdint>
#include <string>
#include <variant>

namespace tarvik::server {

// A SUBMIT with every test checked.
struct SubmitRequest {
    SubmitMessage message;
    CheckedSubmission checked;
};

// A GET of a result id (a positive whole number).
struct GetRequest {
    std::int64_t id = 0;
};

using Request = std::variant<SubmitRequest, GetRequest, MessageError>;

// What a complete message asks for; a message that is incomplete or wrong
// gives a MessageError with the reason.
Request interpretMessage(const std::string &bytes);
// The same for a message already read.
Request interpretMessage(ParsedMessage parsed);

} // namespace tarvik::server
