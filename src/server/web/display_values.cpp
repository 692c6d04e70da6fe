#include "web/display_values.h"

#include <algorithm>
#include <array>

namespace tarvik::server::display {

namespace {

constexpr std::array<const char *, 12> MonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "yyyy-MM-dd HH:mm:ss", the form the store writes.
bool isStoredTime(const std::string &text)
{
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18})
        if (text[i] < '0' || text[i] > '9')
            return false;
    const int month = std::stoi(text.substr(5, 2));
    return month >= 1 && month <= 12;
}

} // namespace

bool isKnown(std::string_view value)
{
    const bool hasDigit = std::any_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    const bool hasOtherDigit = std::any_of(value.begin(), value.end(), [](char c) { return c >= '1' && c <= '9'; });
    return value.find_first_not_of(" \t") != std::string_view::npos && (!hasDigit || hasOtherDigit);
}

std::string knownValue(const std::string &value, const std::string &unit)
{
    if (!isKnown(value))
        return {};
    return unit.empty() ? value : value + " " + unit;
}

std::string isoTime(const std::string &stored)
{
    if (!isStoredTime(stored))
        return stored;
    return stored.substr(0, 10) + "T" + stored.substr(11) + "Z";
}

std::string readableDay(const std::string &stored)
{
    if (!isStoredTime(stored))
        return stored;
    const std::string day = stored[8] == '0' ? stored.substr(9, 1) : stored.substr(8, 2);
    return day + " " + MonthNames[static_cast<std::size_t>(std::stoi(stored.substr(5, 2)) - 1)] + " " +
           stored.substr(0, 4);
}

std::string readableTime(const std::string &stored)
{
    if (!isStoredTime(stored))
        return stored;
    return readableDay(stored) + ", " + stored.substr(11, 5) + " UTC";
}

} // namespace tarvik::server::display
