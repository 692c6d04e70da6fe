#pragma once

#include <string>
#include <string_view>

// How stored values are shown to people and to programs.
namespace tarvik::server::display {

// False for a hardware value the machine did not tell: an empty text, or one
// whose digits are all zeros ("0", "0.000", "Cl 0-0-0-0"), which the report
// helper writes for a field it could not read.
bool isKnown(std::string_view value);
// `value` and its unit ("2400.5 MHz"), or an empty text when it is not known.
std::string knownValue(const std::string &value, const std::string &unit = {});

// A stored UTC time, "2026-12-10 02:30:00", as ISO 8601: "2026-12-10T02:30:00Z".
std::string isoTime(const std::string &stored);
// The same for people: "10 Dec 2026, 02:30 UTC". A text that is not a stored
// time is given back as it is.
std::string readableTime(const std::string &stored);
// Only the day: "10 Dec 2026".
std::string readableDay(const std::string &stored);

} // namespace tarvik::server::display
