#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::submit {

// One board of a page of the result server's leaderboard (`/api/results`):
// how many pages the board has and the times on this page of one processor.
struct BoardPage {
    int pageCount = 1;
    std::vector<double> seconds;

    bool operator==(const BoardPage &) const = default;
};

// The boards of one page by test number, keeping only the results whose
// processor is exactly `processor`: the server's `processor=` filter finds
// the text anywhere in a name, in any case, so it also finds longer names.
// Nothing when the text is not the leaderboard's JSON.
std::optional<std::map<std::int16_t, BoardPage>> readLeaderboardPage(const QByteArray &json,
                                                                     const std::string &processor);

} // namespace tarvik::submit
