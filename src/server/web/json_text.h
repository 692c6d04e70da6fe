#pragma once

#include "requests/stored_result.h"
#include "web/history_page.h"
#include "web/leaderboard.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvik::server::json {

// A JSON string literal, quotes included (texts are UTF-8).
std::string quoted(std::string_view text);

// One result as a JSON object.
std::string result(const StoredResult &stored);

// The boards of the leaderboard page: {"boards": [{"test", "caption",
// "page", "pageCount", "total", "results": [...]}, ...]}.
std::string leaderboard(const std::vector<LeaderboardPage> &boards);

// A page of a history: {"submitter", "machineOf" (null for every machine),
// "page", "pageCount", "total", "results": [...]}.
std::string history(const HistoryPage &history);

} // namespace tarvik::server::json
