#include "submit/result_reply.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"

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

} // namespace tarvik::submit
