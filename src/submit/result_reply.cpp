#include "submit/result_reply.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"

#include <cstdio>

namespace tarvik::submit {

std::string TextBetween(const std::string &text, const std::string &start, const std::string &end)
{
    const auto found = text.find(start);
    if (found == std::string::npos)
        return {};
    const auto from = found + start.size();
    const auto to = text.find(end, from);
    return text.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

void storeResultIds(const std::string &reply, SubmissionIds &ids)
{
    // With a line end put in front, "at a line start" is "right after CR LF".
    const std::string lineEnd(LineEnd);
    const std::string lines = lineEnd + reply;
    for (std::int16_t test = SubmissionIds::First; test <= SubmissionIds::Last; ++test) {
        const std::string marker = lineEnd + std::to_string(test) + " - result id = ";
        std::int32_t id = 0;
        try {
            id = numbers::toInt32(numbers::leadingNumber(TextBetween(lines, marker, lineEnd)));
        } catch (const Fault &) {
            continue; // an id beyond 32 bits is no id this program can keep
        }
        if (id != 0)
            ids.set(test, id);
    }
}

std::string visibleText(const std::string &reply)
{
    std::string shown;
    shown.reserve(reply.size());
    char escape[8];
    for (std::size_t i = 0; i < reply.size(); ++i) {
        const auto byte = static_cast<unsigned char>(reply[i]);
        const bool lineEnd = byte == '\r' && i + 1 < reply.size() && reply[i + 1] == '\n';
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && !lineEnd) || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else if (byte == 0xC2 && i + 1 < reply.size() && static_cast<unsigned char>(reply[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(reply[i + 1]) <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(reply[++i]));
            shown += escape;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

} // namespace tarvik::submit
