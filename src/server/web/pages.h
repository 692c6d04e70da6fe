#pragma once

#include "requests/stored_result.h"
#include "requests/stored_submission.h"
#include "rules/result_rules.h"
#include "requests/submission_check.h"
#include "web/history_page.h"
#include "web/leaderboard.h"
#include "web/list_query.h"

#include <cstdint>
#include <string>
#include <vector>

// The server's web pages: plain HTML and CSS, every value escaped, readable
// without scripts.
namespace tarvik::server::pages {

// One result with everything the submission said about the machine.
std::string score(const StoredResult &result);
std::string noSuchResult(const std::string &id);

// The answer to a browser submission: a link and the verdict per stored
// test (`stored` in the order of `checked.accepted`), the reason for each
// refused one, and the submission's management address.
std::string submitted(const CheckedSubmission &checked, const StoredSubmission &stored);

// The published rules with their version.
std::string rulesPage(const std::vector<rules::TableRow> &table);

// A page that says one thing, for refusals and faults.
std::string notice(const std::string &title, const std::string &text);

// The ranking of each standard test, with a chart of the leading results
// (`leading`, one list per board) and links to the other pages of each
// board. `pageParameter(test)` names the query key of a board's page.
// The boards and their links keep `query`'s filters and order; a form
// changes them.
std::string leaderboard(const std::vector<LeaderboardPage> &boards,
                        const std::vector<std::vector<StoredResult>> &leading, const ListQuery &query = {});

// A submitter's results, or one machine's, over time, with a chart per test.
std::string history(const HistoryPage &history);

// Where the server offers its latest whole-database dump.
inline constexpr const char *DumpPath = "/dump.json.gz";

// The query key that selects the page of a test's board: "page6", "page11".
std::string pageParameter(int test);

} // namespace tarvik::server::pages
