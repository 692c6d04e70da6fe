#include "web/processor_page.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"
#include "foundation/url_text.h"
#include "web/core_count.h"
#include "web/html.h"
#include "web/pages.h"
#include "web/processor_charts.h"
#include "web/time_statistics.h"

namespace tarvik::server::pages {

namespace {

std::string cell(const std::string &text, bool number = false)
{
    return std::string(number ? "<td class=\"number\">" : "<td>") + htmlEscaped(text) + "</td>";
}

std::string timeText(double seconds)
{
    return numbers::numberText(seconds) + " s";
}

// "1 thread", "4 threads".
std::string counted(std::size_t count, const std::string &thing)
{
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string summaryTable(const std::vector<TimeSummary> &summaries)
{
    std::string table = "<table>\n<tr><th>Test</th><th>Threads</th><th>Results</th><th>Best</th>"
                        "<th>10th percentile</th><th>Median</th><th>90th percentile</th></tr>\n";
    for (const TimeSummary &summary : summaries)
        table += "<tr>" + cell(testCaption(summary.test)) + cell(std::to_string(summary.threads), true) +
                 cell(std::to_string(summary.seconds.size()), true) + cell(timeText(summary.best()), true) +
                 cell(timeText(summary.percentile(10)), true) + cell(timeText(summary.median()), true) +
                 cell(timeText(summary.percentile(90)), true) + "</tr>\n";
    return scrollingTable(table + "</table>\n");
}

std::string distributions(const std::vector<TimeSummary> &summaries)
{
    std::string figures;
    for (const TimeSummary &summary : summaries)
        figures += "<figure>" + charts::distributionSvg(summary) + "<figcaption>" +
                   htmlEscaped(testCaption(summary.test) + ", " + counted(summary.threads, "thread") + ": " +
                               counted(summary.seconds.size(), "result")) +
                   "</figcaption></figure>\n";
    return figures;
}

std::string scaling(const std::vector<TimeSummary> &summaries, std::optional<int> cores)
{
    std::string section = "<h2>Time versus threads</h2>\n";
    bool charted = false;
    for (const int test : {SpeedTest, StabilityTest}) {
        const std::string chart = charts::scalingSvg(test, summaries, cores);
        if (chart.empty())
            continue;
        charted = true;
        section += "<figure>" + chart + "<figcaption>" + htmlEscaped(testCaption(test)) +
                   ": median time per thread count</figcaption></figure>\n";
    }
    if (!charted)
        section += "<p>No results of the 32M or 1024M test yet.</p>\n";
    return section;
}

std::string pageAddress(const ProcessorResults &results, int page)
{
    return processorAddress(results.processor) + "&page=" + std::to_string(page);
}

std::string pageLinks(const ProcessorResults &results)
{
    std::string links = "<nav>";
    if (results.page > 1)
        links += html::link(pageAddress(results, results.page - 1), "Previous page");
    links += "<span>Page " + std::to_string(results.page) + " of " + std::to_string(results.pageCount()) + "</span>";
    if (results.page < results.pageCount())
        links += html::link(pageAddress(results, results.page + 1), "Next page");
    return links + "</nav>\n";
}

std::string resultList(const ProcessorResults &results)
{
    std::string table = "<table>\n<tr><th>Compare</th><th>Result</th><th>Submitter</th><th>Test</th>"
                        "<th>Threads</th><th>Time</th><th>Date</th></tr>\n";
    for (const StoredResult &result : results.entries) {
        const std::string id = std::to_string(result.id);
        table += "<tr><td><input type=\"checkbox\" name=\"ids\" value=\"" + id + "\" aria-label=\"Compare result " +
                 id + "\"></td><td>" + html::link(scoreAddress(result.id), id) + "</td>" + cell(result.submitter) +
                 cell(testCaption(result.test)) + cell(std::to_string(result.threads), true) +
                 cell(timeText(result.seconds), true) + cell(result.submittedAt.substr(0, 10)) + "</tr>\n";
    }
    return "<h2>Results</h2>\n<form class=\"list\" method=\"get\" action=\"/compare\">\n" + scrollingTable(table + "</table>\n") +
           "<button type=\"submit\">Compare the selected results (up to four)</button>\n</form>\n" + pageLinks(results);
}

} // namespace

std::string processorAddress(const std::string &processor)
{
    return "/processor?name=" + percentEncoded(processor);
}

std::string scoreAddress(std::int64_t id)
{
    return "/score.cgi?id=" + std::to_string(id);
}

std::string scrollingTable(const std::string &table)
{
    return "<div class=\"table-box\">\n" + table + "</div>\n";
}

std::string processorPage(const ProcessorResults &results)
{
    const std::vector<TimeSummary> summaries = summarize(results.samples);
    const std::optional<int> cores = coreCountIn(results.processor);
    std::string body = "<h1 class=\"processor\">" + htmlEscaped(results.processor) + "</h1>\n<p>" +
                       (results.sampled() ? "The latest " : "") +
                       counted(static_cast<std::size_t>(results.total()), "accepted result") + " of this processor";
    body += cores ? "; its name states " + std::to_string(*cores) + " cores.</p>\n" : ".</p>\n";
    body += "<h2>Times by test and thread count</h2>\n" + summaryTable(summaries) + distributions(summaries) +
            scaling(summaries, cores) + resultList(results);
    return html::page(results.processor, body);
}

std::string noSuchProcessor(const std::string &processor)
{
    return notice("No such processor", "There is no accepted result of the processor \"" + processor + "\".");
}

} // namespace tarvik::server::pages
