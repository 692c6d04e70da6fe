#pragma once

#include "requests/stored_result.h"
#include "web/leaderboard.h"

#include <string>
#include <vector>

// Lists of results as CSV (RFC 4180: CR LF line ends, fields quoted), safe
// to open in a spreadsheet: a text that would start a formula is kept text.
namespace tarvik::server::csv {

// One field: quoted, inner quotes doubled, and a leading = + - @ (or tab or
// CR, which some spreadsheets skip before one) behind an apostrophe.
std::string field(const std::string &text);

// The rows of every board's page, ranked: test, rank, and the result's columns.
std::string leaderboard(const std::vector<LeaderboardPage> &boards);
// The results in their order, with the result's columns.
std::string results(const std::vector<StoredResult> &list);

} // namespace tarvik::server::csv
