#pragma once

#include "foundation/protocol.h"
#include "protocol/processor_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarvik {

// The words that open the two messages.
inline constexpr std::string_view SubmitVerb = "SUBMIT";
inline constexpr std::string_view GetVerb = "GET";

// One test of a SUBMIT as sent: test number, time and checksum, all texts.
struct SubmittedTest {
    std::string test;
    std::string time;
    std::string checksum;

    bool operator==(const SubmittedTest &) const = default;
};

struct SubmitMessage {
    std::string submitter;
    std::string description;
    ProcessorRecord processor;
    std::string threads;
    std::vector<SubmittedTest> tests;

    bool operator==(const SubmitMessage &) const = default;
};

struct GetMessage {
    std::string id;

    bool operator==(const GetMessage &) const = default;
};

// Why a message cannot be taken. `incomplete` says the bytes so far may
// still become a message once more arrive.
struct MessageError {
    bool incomplete = false;
    std::string reason;
};

using ParsedMessage = std::variant<SubmitMessage, GetMessage, MessageError>;

// Reads a message as its bytes arrive: "SUBMIT" or "GET" and their fields,
// each field ended by the separator. Each feed scans only the new bytes, so a
// long message sent a few bytes at a time is read once, not once per packet.
// A message ending inside a field, or before the fields its layout needs, is
// incomplete; anything else that does not fit is malformed. Where a message
// ends: a GET with its id, as any byte after it is refused; a SUBMIT is whole
// after each complete test but may go on with more, so its end is the
// sender's to say (by going quiet or half-closing).
class MessageReader {
public:
    void feed(std::string_view bytes);

    const std::string &bytes() const { return m_bytes; }
    // Why the bytes so far are no whole message, or nothing when they are one.
    // Cheap enough to ask after every feed.
    std::optional<MessageError> problem() const;
    // A whole GET can take no further byte: the message has ended.
    bool isGet() const;
    // The message the bytes make; builds it, so ask once it is whole.
    ParsedMessage message() const;

private:
    std::optional<MessageError> submitProblem() const;

    std::string m_bytes;
    std::vector<std::string> m_fields;
    // Where the field that is not yet ended begins.
    std::size_t m_fieldStart = 0;
    // Fields of the processor record, known once its first field is complete.
    std::size_t m_processorFields = 0;
};

// Reads a message that is all there.
ParsedMessage parseMessage(const std::string &bytes);

} // namespace tarvik
