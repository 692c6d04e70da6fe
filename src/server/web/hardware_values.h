#pragma once

#include <string>

namespace tarvik::server {

// A hardware value the machine did not tell: empty, or digits that are all
// zero ("0", "0.000", "Cl 0-0-0-0"), which is what a report without the
// value gives. Such a value is left out, never shown as measured.
bool isUnknownValue(const std::string &value);

// `value` and its unit ("2400.5 MHz"), or an empty text when it is unknown.
std::string knownValue(const std::string &value, const std::string &unit = {});

} // namespace tarvik::server
