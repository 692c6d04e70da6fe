#include "web/management_pages.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"
#include "web/html.h"
#include "web/pages.h"

namespace tarvik::server::pages {

namespace {

std::string actionForm(std::int64_t submissionId, const std::string &key, const std::string &action,
                       const std::string &label)
{
    return "<form method=\"post\" action=\"/manage\">"
           "<input type=\"hidden\" name=\"submission\" value=\"" +
           std::to_string(submissionId) + "\"><input type=\"hidden\" name=\"key\" value=\"" + htmlEscaped(key) +
           "\"><input type=\"hidden\" name=\"action\" value=\"" + action + "\"><button type=\"submit\">" +
           htmlEscaped(label) + "</button></form>";
}

std::string resultRow(const StoredResult &result)
{
    return "<tr><td class=\"number\">" + std::to_string(result.id) + "</td><td>" +
           htmlEscaped(testCaption(result.test)) + "</td><td class=\"number\">" +
           htmlEscaped(numbers::numberText(result.seconds) + " s") + "</td><td>" + htmlEscaped(verdictText(result)) +
           "</td></tr>\n";
}

} // namespace

std::string management(std::int64_t submissionId, const std::string &key, const std::vector<StoredResult> &results)
{
    std::string body = "<h1>Your submission</h1>\n";
    if (results.empty())
        return html::page("Your submission", body + "<p>This submission has no results left.</p>");
    body += "<p>Submitted by " + htmlEscaped(results.front().submitter) + " on " +
            htmlEscaped(results.front().submittedAt) +
            " UTC. Hiding takes its results off the leaderboard; "
            "deleting removes them for good.</p>\n<table>\n<tr><th>Result</th><th>Test</th><th>Time</th>"
            "<th>Verdict</th></tr>\n";
    for (const StoredResult &result : results)
        body += resultRow(result);
    body += "</table>\n" + actionForm(submissionId, key, "hide", "Hide these results") +
            actionForm(submissionId, key, "delete", "Delete these results");
    return html::page("Your submission", body);
}

std::string managed(bool deleted, std::size_t results)
{
    const std::string count = results == 1 ? "1 result is" : std::to_string(results) + " results are";
    return deleted ? notice("Submission deleted", "This submission's " + count + " deleted.")
                   : notice("Submission hidden",
                            "This submission's " + count + " hidden: on no leaderboard page or list any more.");
}

std::string notManaged()
{
    return notice("Not a valid management address",
                  "This management address is not valid; nothing was changed. Use the whole address the "
                  "submission's answer gave.");
}

} // namespace tarvik::server::pages
