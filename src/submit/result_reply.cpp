#include "submit/result_reply.h"

#include "protocol/reply_lines.h"

#include <cstdio>
#include <optional>

namespace tarvik::submit {

void storeResultIds(const std::string &reply, SubmissionIds &ids)
{
    for (std::int16_t test = SubmissionIds::First; test <= SubmissionIds::Last; ++test) {
        if (const std::optional<std::int32_t> id = replies::resultId(reply, test))
            ids.set(test, *id);
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
