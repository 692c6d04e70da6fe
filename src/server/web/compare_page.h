#pragma once

#include "requests/stored_result.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tarvik::server::pages {

// At most this many results side by side.
inline constexpr std::size_t MostCompared = 4;

// The result ids of "/compare?ids=1,2,3": every value of `ids` (a form's
// check boxes send one each), each a comma-separated list of ids, in the
// order given, repeats dropped. A refusal says what is wrong: no id, an id
// that is not a positive whole number, more than MostCompared.
struct CompareRefusal {
    std::string reason;
};
std::variant<std::vector<std::int64_t>, CompareRefusal> comparedIds(const std::vector<std::string> &values);

// Every field of `results` side by side, the time differences in per cent
// of the first's time.
std::string comparePage(const std::vector<StoredResult> &results);
std::string compareRefused(const std::string &reason);
// `missing`: the asked ids that name no accepted, listed result.
std::string compareMissing(const std::vector<std::int64_t> &missing);

} // namespace tarvik::server::pages
