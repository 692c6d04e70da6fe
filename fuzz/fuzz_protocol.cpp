// The message reader. The input is what a client sends; the
// first byte also picks the sizes of the pieces it arrives in.

#include "fuzz_check.h"
#include "protocol/message.h"
#include "protocol/message_builder.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace tarvik;

namespace {

bool sameProblem(const std::optional<MessageError> &a, const std::optional<MessageError> &b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || (a->incomplete == b->incomplete && a->reason == b->reason);
}

// Fed in pieces of 1 to 16 bytes, the reader ends as it does on the whole bytes.
void readInPieces(const std::string &bytes, std::uint8_t seed, const MessageReader &whole)
{
    MessageReader pieces;
    std::uint32_t state = seed | 1u;
    for (std::size_t at = 0; at < bytes.size();) {
        state = state * 1103515245u + 12345u;
        const std::size_t size = 1 + (state >> 16) % 16;
        pieces.feed(std::string_view(bytes).substr(at, size));
        at += size;
    }
    require(pieces.bytes() == bytes, "the pieces add up to the bytes");
    require(sameProblem(pieces.problem(), whole.problem()), "pieces and whole bytes decide alike");
    require(pieces.isGet() == whole.isGet(), "pieces and whole bytes see the same verb");
}

// An accepted message written again reads back to the same fields.
template <typename Message>
void readBack(const Message &message)
{
    const ParsedMessage again = parseMessage(messageBytes(message));
    const auto *same = std::get_if<Message>(&again);
    require(same != nullptr && *same == message, "a written message reads back to the same fields");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    MessageReader whole;
    whole.feed(bytes);
    readInPieces(bytes, size > 0 ? data[0] : 0, whole);

    const ParsedMessage parsed = whole.message();
    require(whole.problem().has_value() == std::holds_alternative<MessageError>(parsed),
            "the message is whole exactly when no problem is named");
    if (const auto *submit = std::get_if<SubmitMessage>(&parsed))
        readBack(*submit);
    else if (const auto *get = std::get_if<GetMessage>(&parsed))
        readBack(*get);
    return 0;
}
