#include "web/pages.h"

#include "foundation/numbers.h"
#include "web/bar_chart.h"
#include "foundation/html_text.h"
#include "web/html.h"
#include "web/processor_page.h"

namespace tarvik::server::pages {

namespace {

std::string row(const std::string &label, const std::string &value)
{
    return "<tr><th scope=\"row\">" + htmlEscaped(label) + "</th><td>" + htmlEscaped(value) + "</td></tr>\n";
}

// A row whose value is a link to the page of the processor.
std::string processorRow(const std::string &processor)
{
    return "<tr><th scope=\"row\">Processor</th><td>" + html::link(processorAddress(processor), processor) +
           "</td></tr>\n";
}

std::string withUnit(const std::string &value, const std::string &unit)
{
    return value.empty() ? value : value + " " + unit;
}

std::string machineRows(const ProcessorRecord &processor)
{
    std::string rows = processorRow(processor.specification) + row("Clock", withUnit(processor.clock, "MHz")) +
                       row("L2 cache", withUnit(processor.l2Cache, "KB"));
    if (processor.form != ProcessorRecord::Form::Report)
        return rows;
    return rows + row("Core", processor.codename + " " + processor.stepping) +
           row("Vcore", withUnit(processor.vcore, "V")) + row("FSB", withUnit(processor.fsb, "MHz")) +
           row("Memory size", withUnit(processor.memorySize, "MB")) + row("Memory type", processor.memoryType) +
           row("Memory frequency", withUnit(processor.memoryFrequency, "MHz")) +
           row("Memory timings", processor.memoryTimings) + row("Mainboard vendor", processor.boardVendor) +
           row("Mainboard model", processor.boardModel);
}

std::string timeText(double seconds)
{
    return numbers::numberText(seconds) + " s";
}

// Why a result that is not on the leaderboard is not there.
std::string standing(const StoredResult &result)
{
    using rules::Verdict;
    if (result.decision.verdict == Verdict::Refused)
        return "<p class=\"refused\">This result was refused (" + htmlEscaped(result.decision.reason) +
               ") and is not ranked.</p>\n";
    if (result.decision.verdict == Verdict::Held)
        return "<p class=\"held\">This result is held for review (" + htmlEscaped(result.decision.reason) +
               ") and is ranked only once approved.</p>\n";
    if (!result.listed)
        return "<p class=\"held\">Its submitter has hidden this result; it is not ranked.</p>\n";
    return {};
}

std::string storedTestItem(const StoredTest &test)
{
    std::string item = "<li>" + htmlEscaped(testCaption(test.test)) + " in " + htmlEscaped(timeText(test.seconds)) +
                       ": result id " + html::link(scoreAddress(test.id), std::to_string(test.id)) + ", ";
    if (test.alreadyStored)
        return item + "already stored (" + rules::verdictWords(test.decision.verdict) + "); not stored again</li>\n";
    if (test.decision.verdict == rules::Verdict::Held)
        return item + "<span class=\"held\">held for review: " + htmlEscaped(test.decision.reason) + "</span></li>\n";
    return item + "accepted</li>\n";
}

// The address of the leaderboard with every board at its current page except
// `test`, which shows `page`.
std::string boardAddress(const std::vector<LeaderboardPage> &boards, int test, int page)
{
    std::string query;
    for (const LeaderboardPage &board : boards) {
        query += query.empty() ? "?" : "&";
        query += pageParameter(board.test) + "=" + std::to_string(board.test == test ? page : board.page);
    }
    return "/" + query;
}

std::string pageLinks(const std::vector<LeaderboardPage> &boards, const LeaderboardPage &board)
{
    std::string links = "<nav>";
    if (board.page > 1)
        links += html::link(boardAddress(boards, board.test, board.page - 1), "Previous page");
    links += "<span>Page " + std::to_string(board.page) + " of " + std::to_string(board.pageCount()) + "</span>";
    if (board.page < board.pageCount())
        links += html::link(boardAddress(boards, board.test, board.page + 1), "Next page");
    return links + "</nav>\n";
}

std::string rankingTable(const LeaderboardPage &board)
{
    std::string table = "<table>\n<tr><th>Rank</th><th>Submitter</th><th>Processor</th><th>Clock</th>"
                        "<th>Threads</th><th>Time</th><th>Date</th></tr>\n";
    std::int64_t rank = board.firstRank();
    for (const StoredResult &result : board.entries) {
        table += "<tr><td class=\"number\">" + std::to_string(rank++) + "</td><td>" + htmlEscaped(result.submitter) +
                 "</td><td>" + html::link(scoreAddress(result.id), result.processor.specification) + "</td><td>" +
                 htmlEscaped(withUnit(result.processor.clock, "MHz")) + "</td><td class=\"number\">" +
                 std::to_string(result.threads) + "</td><td class=\"number\">" + htmlEscaped(timeText(result.seconds)) +
                 "</td><td>" + htmlEscaped(result.submittedAt.substr(0, 10)) + "</td></tr>\n";
    }
    return table + "</table>\n";
}

std::string boardSection(const std::vector<LeaderboardPage> &boards, const LeaderboardPage &board,
                         const std::vector<StoredResult> &leading)
{
    std::string section = "<section id=\"test" + std::to_string(board.test) + "\">\n<h2>" +
                          htmlEscaped(testCaption(board.test)) + "</h2>\n";
    if (board.entries.empty() && board.page == 1)
        return section + "<p>No results yet.</p>\n</section>\n";
    return section + barChartSvg(leading) + "\n" + rankingTable(board) + pageLinks(boards, board) + "</section>\n";
}

} // namespace

std::string pageParameter(int test)
{
    return "page" + std::to_string(test);
}

std::string score(const StoredResult &result)
{
    const std::string title = "Result " + std::to_string(result.id);
    std::string body = "<h1>" + htmlEscaped(title) + ": " + htmlEscaped(testCaption(result.test)) + " in " +
                       htmlEscaped(timeText(result.seconds)) + "</h1>\n" + standing(result) + "<table>\n";
    body += row("Submitter", result.submitter) + row("Description", result.description);
    body += machineRows(result.processor);
    body += row("Threads", std::to_string(result.threads)) +
            row("Test", std::to_string(result.test) + " " + testCaption(result.test)) +
            row("Time", timeText(result.seconds)) + row("Date", result.submittedAt + " UTC") +
            row("Checksum", result.checksum + " (verified)") + row("Verdict", verdictText(result)) +
            row("Rules version",
                result.rulesVersion ? std::to_string(result.rulesVersion) : "none (stored before the rules)");
    return html::page(title, body + "</table>");
}

std::string noSuchResult(const std::string &id)
{
    return notice("No such result", "There is no result with id " + id + ".");
}

std::string submitted(const CheckedSubmission &checked, const StoredSubmission &stored)
{
    std::string body = "<h1>Submission</h1>\n<ul>\n";
    for (const StoredTest &test : stored.tests)
        body += storedTestItem(test);
    for (const RefusedTest &test : checked.refused)
        body += "<li class=\"refused\">Test " + htmlEscaped(test.test) + " refused: " + htmlEscaped(test.reason) +
                "</li>\n";
    if (checked.accepted.empty() && checked.refused.empty())
        body += "<li>The submission holds no test result; nothing was stored.</li>\n";
    body += "</ul>\n";
    if (stored.submissionId != 0)
        body += "<p>Keep this address to hide or delete the results of this submission later; it is shown only "
                "once: " +
                html::link(managementPath(stored.submissionId, stored.managementKey), "manage this submission") +
                ".</p>\n";
    return html::page("Submission", body);
}

std::string rulesPage(const std::vector<rules::TableRow> &table)
{
    std::string body = "<h1>Rules, version " + std::to_string(rules::Version) +
                       "</h1>\n<p>Every test of every submission goes through these rules; each stored result keeps "
                       "its verdict, the rule that gave it and the version of the rules.</p>\n<table>\n"
                       "<tr><th>Rule</th><th>Verdict</th><th>What it asks</th></tr>\n";
    for (const rules::TableRow &rule : table)
        body += "<tr><td>" + htmlEscaped(rule.rule) + "</td><td>" + htmlEscaped(rule.verdict) + "</td><td>" +
                htmlEscaped(rule.text) + "</td></tr>\n";
    return html::page("Rules", body + "</table>");
}

std::string notice(const std::string &title, const std::string &text)
{
    return html::page(title, "<h1>" + htmlEscaped(title) + "</h1>\n<p>" + htmlEscaped(text) + "</p>");
}

std::string leaderboard(const std::vector<LeaderboardPage> &boards,
                        const std::vector<std::vector<StoredResult>> &leading)
{
    std::string body = "<h1>Tarvik leaderboard</h1>\n<p>The best time of each submitter and processor, fastest "
                       "first.</p>\n";
    for (std::size_t i = 0; i < boards.size(); ++i)
        body += boardSection(boards, boards[i], i < leading.size() ? leading[i] : std::vector<StoredResult>{});
    return html::page("Tarvik leaderboard", body);
}

} // namespace tarvik::server::pages
