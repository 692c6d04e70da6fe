#include "web/csv_text.h"

#include "foundation/numbers.h"
#include "web/display_values.h"

namespace tarvik::server::csv {

namespace {

constexpr const char *ResultHeader = "id,submitter,processor,clock_mhz,threads,seconds,submitted_at\r\n";

std::string line(const std::vector<std::string> &fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        out += field(fields[i]);
    }
    out += "\r\n";
    return out;
}

std::vector<std::string> resultFields(const StoredResult &result)
{
    return {std::to_string(result.id),           result.submitter,
            result.processor.specification,      result.processor.clock,
            std::to_string(result.threads),      numbers::numberText(result.seconds),
            display::isoTime(result.submittedAt)};
}

} // namespace

std::string field(const std::string &text)
{
    std::string out = "\"";
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        out += '\'';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string leaderboard(const std::vector<LeaderboardPage> &boards)
{
    std::string out = "test,rank,";
    out += ResultHeader;
    for (const LeaderboardPage &board : boards) {
        std::int64_t rank = board.firstRank();
        for (const StoredResult &result : board.entries) {
            std::vector<std::string> fields = {std::to_string(board.test), std::to_string(rank++)};
            for (std::string &each : resultFields(result))
                fields.push_back(std::move(each));
            out += line(fields);
        }
    }
    return out;
}

std::string results(const std::vector<StoredResult> &list)
{
    std::string out = "test,";
    out += ResultHeader;
    for (const StoredResult &result : list) {
        std::vector<std::string> fields = {std::to_string(result.test)};
        for (std::string &each : resultFields(result))
            fields.push_back(std::move(each));
        out += line(fields);
    }
    return out;
}

} // namespace tarvik::server::csv
