#include "protocol/reply_lines.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"

namespace tarvik::replies {

namespace {

const std::string ResultIdMarker = " - result id = ";

std::string line(const std::string &text)
{
    return text + std::string(LineEnd);
}

} // namespace

std::string resultIdLine(int test, std::int64_t id)
{
    return line(std::to_string(test) + ResultIdMarker + std::to_string(id));
}

std::string refusedTestLine(const std::string &test, const std::string &reason)
{
    return line(test + " - refused: " + reason);
}

std::string acceptedTestLine(int test, int rulesVersion)
{
    return line(std::to_string(test) + " - accepted (rules version " + std::to_string(rulesVersion) + ")");
}

std::string heldTestLine(int test, const std::string &reason)
{
    return line(std::to_string(test) + " - held for review: " + reason);
}

std::string alreadyStoredLine(int test, std::int64_t id, const std::string &verdict)
{
    return line(std::to_string(test) + " - already stored as result " + std::to_string(id) + " (" + verdict +
                "); not stored again");
}

std::string managementLine(const std::string &address)
{
    return line("Hide or delete the results of this submission at " + address);
}

std::string tooManySubmissions(int perMinute)
{
    return refused("more than " + std::to_string(perMinute) +
                   " submissions a minute from your address; please wait a minute");
}

std::string nothingStored()
{
    return line("The submission holds no test result; nothing was stored.");
}

std::string refused(const std::string &reason)
{
    return line("Message refused: " + reason + ".");
}

std::string labelledLine(const std::string &label, const std::string &value)
{
    return line(label + ": " + value);
}

std::string noSuchResult(const std::string &id)
{
    return line("There is no result with id " + id + ".");
}

std::string databaseUnavailable()
{
    return line("The result database is unavailable; nothing was stored or read. Please try again later.");
}

std::string databaseFull()
{
    return line("The result database has no room left; nothing was stored. Please try again later.");
}

std::string databaseSilent()
{
    return line("The result database did not answer in time; a submission may still be stored: look for it on "
                "the leaderboard before sending it again.");
}

std::string busy()
{
    return line("The server is busy; please try again later.");
}

std::optional<std::int32_t> resultId(const std::string &reply, int test)
{
    // With a line end put in front, "at a line start" is "right after CR LF".
    const std::string lineEnd(LineEnd);
    const std::string marker = lineEnd + std::to_string(test) + ResultIdMarker;
    std::int32_t id = 0;
    try {
        id = numbers::toInt32(numbers::leadingNumber(textBetween(lineEnd + reply, marker, lineEnd)));
    } catch (const Fault &) {
        return std::nullopt;
    }
    if (id == 0)
        return std::nullopt;
    return id;
}

std::string textBetween(const std::string &text, const std::string &start, const std::string &end)
{
    const auto found = text.find(start);
    if (found == std::string::npos)
        return {};
    const auto from = found + start.size();
    const auto to = text.find(end, from);
    return text.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

} // namespace tarvik::replies
