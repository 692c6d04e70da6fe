#pragma once

#include "protocol/processor_record.h"

#include <string>
#include <variant>
#include <vector>

namespace tarvik::server {

// Fields of a message end with this byte; there is no other framing.
inline constexpr char FieldSeparator = '\x01';

// One test of a SUBMIT as sent: test number, time and checksum, all texts.
struct SubmittedTest {
    std::string test;
    std::string time;
    std::string checksum;
};

struct SubmitMessage {
    std::string submitter;
    std::string description;
    ProcessorRecord processor;
    std::string threads;
    std::vector<SubmittedTest> tests;
};

struct GetMessage {
    std::string id;
};

// Why a message cannot be taken. `incomplete` says the bytes so far may
// still become a message once more arrive.
struct MessageError {
    bool incomplete = false;
    std::string reason;
};

using ParsedMessage = std::variant<SubmitMessage, GetMessage, MessageError>;

// Reads a whole message: "SUBMIT" or "GET" and their fields, each field ended
// by the separator. A message ending inside a field, or before the fields its
// layout needs, is incomplete; anything else that does not fit is malformed.
ParsedMessage parseMessage(const std::string &bytes);

} // namespace tarvik::server
