#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvik::submit {

// Where one time would stand among a result server's times of the same
// processor: its rank (1 is the fastest) among `field` results.
struct Standing {
    int rank = 0;
    int field = 0;

    bool operator==(const Standing &) const = default;
};

// The standing of `seconds` among `others`, compared to the millisecond, as
// times are shown. A time the server already holds (this machine's own
// submission, most likely) shares its rank and is not counted twice; any
// other time joins the field. Nothing when the server has no times.
std::optional<Standing> standingAmong(double seconds, const std::vector<double> &others);

// "1st", "2nd", "3rd", "4th", "11th", "21st", ...
std::string ordinal(int number);

// One test's line under the results view's charts, with `caption` ("32M")
// and the server's web address: the best time and its standing, or why
// there is none.
std::string standingLine(const std::string &caption, std::optional<double> best,
                         const std::vector<double> &serverTimes, const std::string &server, char decimalSeparator);

} // namespace tarvik::submit
