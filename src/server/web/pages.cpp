#include "web/pages.h"

#include "foundation/numbers.h"
#include "web/bar_chart.h"
#include "foundation/html_text.h"
#include "web/display_values.h"
#include "web/history_chart.h"
#include "web/html.h"
#include "web/processor_page.h"

#include <algorithm>
#include <iterator>

namespace tarvik::server::pages {

namespace {

// A row whose value is a link to the page of the processor.
std::string processorRow(const std::string &processor)
{
    return "<tr><th scope=\"row\">Processor</th><td>" + html::link(processorAddress(processor), processor) +
           "</td></tr>\n";
}

std::string row(const std::string &label, const std::string &value)
{
    return "<tr><th scope=\"row\">" + htmlEscaped(label) + "</th><td>" + htmlEscaped(value) + "</td></tr>\n";
}

// A hardware value the machine did not tell is left out rather than shown as zeros.
std::string hardwareRow(const std::string &label, const std::string &value, const std::string &unit = {})
{
    const std::string shown = display::knownValue(value, unit);
    return shown.empty() ? shown : row(label, shown);
}

std::string machineRows(const ProcessorRecord &processor)
{
    std::string rows = processorRow(processor.specification) + hardwareRow("Clock", processor.clock, "MHz") +
                       hardwareRow("L2 cache", processor.l2Cache, "KB");
    if (processor.form != ProcessorRecord::Form::Report)
        return rows;
    const std::string core = processor.codename.empty() || processor.stepping.empty()
                                 ? processor.codename + processor.stepping
                                 : processor.codename + " " + processor.stepping;
    return rows + hardwareRow("Core", core) + hardwareRow("Vcore", processor.vcore, "V") +
           hardwareRow("FSB", processor.fsb, "MHz") + hardwareRow("Memory size", processor.memorySize, "MB") +
           hardwareRow("Memory type", processor.memoryType) +
           hardwareRow("Memory frequency", processor.memoryFrequency, "MHz") +
           hardwareRow("Memory timings", processor.memoryTimings) +
           hardwareRow("Mainboard vendor", processor.boardVendor) +
           hardwareRow("Mainboard model", processor.boardModel);
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

std::string historyAddress(const std::string &submitter, std::int64_t machineOf = 0, int page = 1)
{
    std::string address = "/history?" + queryPair("name", submitter);
    if (machineOf != 0)
        address += "&machine=" + std::to_string(machineOf);
    return page > 1 ? address + "&page=" + std::to_string(page) : address;
}

// The address of the leaderboard with `query`'s filters and every board at
// its current page except `test`, which shows `page`.
std::string boardAddress(const std::vector<LeaderboardPage> &boards, const ListQuery &query, int test, int page)
{
    std::string pairs = filterPairs(query);
    for (const LeaderboardPage &board : boards) {
        pairs += pairs.empty() ? "" : "&";
        pairs += pageParameter(board.test) + "=" + std::to_string(board.test == test ? page : board.page);
    }
    return "/?" + pairs;
}

std::string pageLinks(const std::vector<LeaderboardPage> &boards, const ListQuery &query, const LeaderboardPage &board)
{
    std::string links = "<nav>";
    if (board.page > 1)
        links += html::link(boardAddress(boards, query, board.test, board.page - 1), "Previous page");
    links += "<span>Page " + std::to_string(board.page) + " of " + std::to_string(board.pageCount()) + "</span>";
    if (board.page < board.pageCount())
        links += html::link(boardAddress(boards, query, board.test, board.page + 1), "Next page");
    return links + "</nav>\n";
}

// A column heading that orders the boards by it: `first` on the first
// click, `second` when the boards are in that order already.
std::string sortHeading(const std::string &title, const ListQuery &query, ListQuery::Sort first, ListQuery::Sort second)
{
    const bool current = query.sort == first || query.sort == second;
    const ListQuery::Sort next = query.sort == first ? second : first;
    const std::string pairs = filterPairs(sortedBy(query, next));
    // Fastest and oldest first run up the column's values, the others down.
    const bool ascending = query.sort == ListQuery::Sort::Fastest || query.sort == ListQuery::Sort::Oldest;
    const std::string mark = !current ? "" : ascending ? " \xE2\x86\x91" : " \xE2\x86\x93";
    const char *order = !current ? "none" : ascending ? "ascending" : "descending";
    return "<th aria-sort=\"" + std::string(order) + "\">" +
           html::link(pairs.empty() ? "/" : "/?" + pairs, title + mark) + "</th>";
}

std::string rankingTable(const LeaderboardPage &board, const ListQuery &query)
{
    using Sort = ListQuery::Sort;
    std::string table = "<table>\n<tr><th>Rank</th><th>Submitter</th><th>Processor</th><th>Clock</th>"
                        "<th>Threads</th>" +
                        sortHeading("Time", query, Sort::Fastest, Sort::Slowest) +
                        sortHeading("Date", query, Sort::Newest, Sort::Oldest) + "</tr>\n";
    std::int64_t rank = board.firstRank();
    for (const StoredResult &result : board.entries) {
        table += "<tr><td class=\"number\">" + std::to_string(rank++) + "</td><td>" +
                 html::link(historyAddress(result.submitter), result.submitter) + "</td><td>" +
                 html::link(processorAddress(result.processor.specification), result.processor.specification) +
                 "</td><td>" + htmlEscaped(display::knownValue(result.processor.clock, "MHz")) +
                 "</td><td class=\"number\">" + std::to_string(result.threads) + "</td><td class=\"number\">" +
                 html::link(scoreAddress(result.id), timeText(result.seconds)) + "</td><td>" +
                 htmlEscaped(display::readableDay(result.submittedAt)) + "</td></tr>\n";
    }
    return html::tableBox(table + "</table>");
}

std::string boardSection(const std::vector<LeaderboardPage> &boards, const ListQuery &query,
                         const LeaderboardPage &board, const std::vector<StoredResult> &leading)
{
    std::string section = "<section id=\"test" + std::to_string(board.test) + "\">\n<h2>" +
                          htmlEscaped(testCaption(board.test)) + "</h2>\n";
    if (board.entries.empty() && board.page == 1)
        return section + (query.filtered() ? "<p>No results match.</p>\n" : "<p>No results yet.</p>\n") +
               "</section>\n";
    return section + barChartSvg(leading) + "\n" + rankingTable(board, query) + pageLinks(boards, query, board) +
           "</section>\n";
}

std::string input(const std::string &label, const std::string &name, const std::string &type, const std::string &value,
                  const std::string &extra = {})
{
    return "<label>" + htmlEscaped(label) + " <input type=\"" + type + "\" name=\"" + name + "\" value=\"" +
           htmlEscaped(value) + "\"" + extra + "></label>";
}

// A plain GET form, so the address holds the query and works without scripts.
std::string filterForm(const ListQuery &query)
{
    std::string sorts;
    for (ListQuery::Sort sort :
         {ListQuery::Sort::Fastest, ListQuery::Sort::Slowest, ListQuery::Sort::Newest, ListQuery::Sort::Oldest})
        sorts += "<option value=\"" + std::string(sortName(sort)) + "\"" + (sort == query.sort ? " selected" : "") +
                 ">" + sortName(sort) + " first</option>";
    return "<form class=\"filters\" method=\"get\" action=\"/\">" +
           input("Processor", "processor", "search", query.processor,
                 " maxlength=\"" + std::to_string(LongestProcessorSearch) + "\"") +
           input("Threads", "threads", "number", query.threads ? std::to_string(query.threads) : "",
                 " min=\"1\" max=\"" + std::to_string(MostThreads) + "\"") +
           input("From", "from", "date", query.from) + input("To", "to", "date", query.to) +
           "<label>Order <select name=\"sort\">" + sorts + "</select></label><button type=\"submit\">Show</button>" +
           (query.filtered() || query.sort != ListQuery::Sort::Fastest ? html::link("/", "Clear") : "") + "</form>\n";
}

std::string exportLinks(const std::string &address)
{
    const char *joiner = address.find('?') == std::string::npos ? "?" : "&";
    return "<p class=\"note\">This list as " + html::link(address + joiner + "format=csv", "CSV") + " or " +
           html::link(address + joiner + "format=json", "JSON") + ".</p>\n";
}

std::string historyTable(const std::vector<StoredResult> &results)
{
    std::string table = "<table>\n<tr><th>Date</th><th>Test</th><th>Time</th><th>Threads</th><th>Processor</th>"
                        "<th>Result</th></tr>\n";
    for (const StoredResult &result : results)
        table += "<tr><td>" + htmlEscaped(display::readableTime(result.submittedAt)) + "</td><td>" +
                 htmlEscaped(testCaption(result.test)) + "</td><td class=\"number\">" +
                 htmlEscaped(timeText(result.seconds)) + "</td><td class=\"number\">" + std::to_string(result.threads) +
                 "</td><td>" + htmlEscaped(result.processor.specification) + "</td><td>" +
                 html::link(scoreAddress(result.id), std::to_string(result.id)) + "</td></tr>\n";
    return html::tableBox(table + "</table>");
}

// One chart per test, of this page's results.
std::string historyCharts(const std::vector<StoredResult> &results)
{
    std::string charts;
    for (int test : {SpeedTest, StabilityTest}) {
        std::vector<StoredResult> ofTest;
        std::copy_if(results.begin(), results.end(), std::back_inserter(ofTest),
                     [test](const StoredResult &result) { return result.test == test; });
        if (!ofTest.empty())
            charts += "<h2>" + htmlEscaped(testCaption(test)) + "</h2>\n" + historyChartSvg(ofTest) + "\n";
    }
    return charts;
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
            row("Time", timeText(result.seconds)) + row("Date", display::readableTime(result.submittedAt)) +
            row("Checksum", result.checksum + " (verified)") + row("Verdict", verdictText(result)) +
            row("Rules version",
                result.rulesVersion ? std::to_string(result.rulesVersion) : "none (stored before the rules)");
    body += "</table>\n<nav>" + html::link(historyAddress(result.submitter), "Every result of this submitter") +
            html::link(historyAddress(result.submitter, result.id), "This machine's results") +
            html::link(scoreAddress(result.id) + "&format=json", "This result as JSON") + "</nav>";
    return html::page(title, body);
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
                        const std::vector<std::vector<StoredResult>> &leading, const ListQuery &query)
{
    std::string body = "<h1>Tarvik leaderboard</h1>\n<p>The best time of each submitter and processor, fastest "
                       "first unless another order is chosen.</p>\n" +
                       filterForm(query);
    for (std::size_t i = 0; i < boards.size(); ++i)
        body += boardSection(boards, query, boards[i], i < leading.size() ? leading[i] : std::vector<StoredResult>{});
    const int speedPage = boards.empty() ? 1 : boards.front().page;
    body += exportLinks(boards.empty() ? "/" : boardAddress(boards, query, boards.front().test, speedPage)) +
            "<p class=\"note\">Every accepted result at once: " + html::link(DumpPath, "the latest dump") +
            " (JSON, gzip).</p>\n";
    return html::page("Tarvik leaderboard", body);
}

std::string history(const HistoryPage &history)
{
    const std::string who = history.machineOf ? history.submitter + " on one machine" : history.submitter;
    const std::string title = "History of " + who;
    std::string body = "<h1>" + htmlEscaped(title) + "</h1>\n";
    if (history.machineOf)
        body += "<p>The results of " + htmlEscaped(history.submitter) + " with the processor record of result " +
                html::link(scoreAddress(history.machineOf), std::to_string(history.machineOf)) + ", newest first; " +
                html::link(historyAddress(history.submitter), "every machine") + ".</p>\n";
    else
        body += "<p>Every accepted result of this submitter, newest first.</p>\n";
    if (history.entries.empty())
        return html::page(title, body + "<p>No results.</p>");
    body += historyCharts(history.entries) + historyTable(history.entries) + "<nav>";
    if (history.page > 1)
        body += html::link(historyAddress(history.submitter, history.machineOf, history.page - 1), "Newer results");
    body += "<span>Page " + std::to_string(history.page) + " of " + std::to_string(history.pageCount()) + "</span>";
    if (history.page < history.pageCount())
        body += html::link(historyAddress(history.submitter, history.machineOf, history.page + 1), "Older results");
    body += "</nav>\n" + exportLinks(historyAddress(history.submitter, history.machineOf, history.page));
    return html::page(title, body);
}

} // namespace tarvik::server::pages
