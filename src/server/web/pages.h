#pragma once

#include "requests/stored_result.h"
#include "requests/submission_check.h"
#include "web/leaderboard.h"

#include <cstdint>
#include <string>
#include <vector>

// The server's web pages: plain HTML and CSS, every value escaped, readable
// without scripts.
namespace tarvik::server::pages {

// One result with everything the submission said about the machine.
std::string score(const StoredResult &result);
std::string noSuchResult(const std::string &id);

// The answer to a browser submission: a link per stored test (`ids` in the
// order of `checked.accepted`) and the reason for each refused one.
std::string submitted(const CheckedSubmission &checked, const std::vector<std::int64_t> &ids);

// A page that says one thing, for refusals and faults.
std::string notice(const std::string &title, const std::string &text);

// The ranking of each standard test, with a chart of the leading results
// (`leading`, one list per board) and links to the other pages of each
// board. `pageParameter(test)` names the query key of a board's page.
std::string leaderboard(const std::vector<LeaderboardPage> &boards,
                        const std::vector<std::vector<StoredResult>> &leading);

// The query key that selects the page of a test's board: "page6", "page11".
std::string pageParameter(int test);

} // namespace tarvik::server::pages
