#include "web/hardware_values.h"

#include <algorithm>

namespace tarvik::server {

bool isUnknownValue(const std::string &value)
{
    const bool anyDigit = std::any_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    const bool nonZeroDigit = std::any_of(value.begin(), value.end(), [](char c) { return c >= '1' && c <= '9'; });
    return value.find_first_not_of(' ') == std::string::npos || (anyDigit && !nonZeroDigit);
}

std::string knownValue(const std::string &value, const std::string &unit)
{
    if (isUnknownValue(value))
        return {};
    return unit.empty() ? value : value + " " + unit;
}

} // namespace tarvik::server
