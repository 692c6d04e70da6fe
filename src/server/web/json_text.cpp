#include "web/json_text.h"

#include "foundation/numbers.h"
#include "web/display_values.h"

#include <cstdio>

namespace tarvik::server::json {

namespace {

std::string member(const std::string &name, const std::string &value)
{
    return quoted(name) + ":" + value;
}

std::string text(const std::string &name, const std::string &value)
{
    return member(name, quoted(value));
}

std::string processor(const ProcessorRecord &record)
{
    std::string out = "{";
    return out + text("form", formName(record.form)) + "," + text("specification", record.specification) + "," +
           text("clock", record.clock) + "," + text("l2Cache", record.l2Cache) + "," + text("vcore", record.vcore) +
           "," + text("fsb", record.fsb) + "," + text("codename", record.codename) + "," +
           text("stepping", record.stepping) + "," + text("memorySize", record.memorySize) + "," +
           text("memoryType", record.memoryType) + "," + text("memoryFrequency", record.memoryFrequency) + "," +
           text("memoryTimings", record.memoryTimings) + "," + text("boardVendor", record.boardVendor) + "," +
           text("boardModel", record.boardModel) + "}";
}

} // namespace

std::string quoted(std::string_view value)
{
    std::string out = "\"";
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string result(const StoredResult &stored)
{
    std::string out = "{";
    return out + member("id", std::to_string(stored.id)) + "," + text("submitter", stored.submitter) + "," +
           text("description", stored.description) + "," + member("processor", processor(stored.processor)) + "," +
           member("threads", std::to_string(stored.threads)) + "," + member("test", std::to_string(stored.test)) + "," +
           text("time", stored.timeText) + "," + member("seconds", numbers::numberText(stored.seconds)) + "," +
           text("checksum", stored.checksum) + "," + text("submittedAt", display::isoTime(stored.submittedAt)) + "," +
           text("verdict", rules::verdictName(stored.decision.verdict)) + "," + text("rule", stored.decision.rule) +
           "," + member("rulesVersion", std::to_string(stored.rulesVersion)) + "}";
}

std::string history(const HistoryPage &history)
{
    std::string out = "{";
    out += text("submitter", history.submitter) + "," +
           member("machineOf", history.machineOf ? std::to_string(history.machineOf) : "null") + "," +
           member("page", std::to_string(history.page)) + "," +
           member("pageCount", std::to_string(history.pageCount())) + "," +
           member("total", std::to_string(history.total)) + ",\"results\":[";
    for (std::size_t i = 0; i < history.entries.size(); ++i) {
        if (i)
            out += ',';
        out += result(history.entries[i]);
    }
    return out + "]}\n";
}

std::string leaderboard(const std::vector<LeaderboardPage> &boards)
{
    std::string out = "{\"boards\":[";
    for (std::size_t b = 0; b < boards.size(); ++b) {
        const LeaderboardPage &board = boards[b];
        out += b ? ",{" : "{";
        out += member("test", std::to_string(board.test)) + "," + text("caption", testCaption(board.test)) + "," +
               member("page", std::to_string(board.page)) + "," +
               member("pageCount", std::to_string(board.pageCount())) + "," +
               member("total", std::to_string(board.total)) + ",\"results\":[";
        for (std::size_t i = 0; i < board.entries.size(); ++i) {
            out += i ? "," : "";
            out += result(board.entries[i]);
        }
        out += "]}";
    }
    return out + "]}\n";
}

} // namespace tarvik::server::json
