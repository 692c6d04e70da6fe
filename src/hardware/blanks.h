#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// Blanks (spaces) removed at both ends, as the hardware texts are trimmed
// before they are shown or sent; tabs and other characters stay.
inline std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Spaces, tabs and line breaks removed at both ends, for values read from the
// kernel's files.
inline std::string trimWhitespace(std::string_view text)
{
    constexpr std::string_view whitespace = " \t\r\n";
    const auto first = text.find_first_not_of(whitespace);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(whitespace) - first + 1));
}

} // namespace tarvik
