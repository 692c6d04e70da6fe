#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace tarvik {

// `text` without any of `characters` at either end.
inline std::string trimmed(std::string_view text, std::string_view characters)
{
    const auto first = text.find_first_not_of(characters);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(characters) - first + 1));
}

// Blanks (spaces) removed at both ends, as command arguments and the hardware
// texts are trimmed; tabs and other characters stay.
inline std::string trimBlanks(std::string_view text)
{
    return trimmed(text, " ");
}

// Spaces, tabs and line breaks removed at both ends, for values read from the
// kernel's files.
inline std::string trimWhitespace(std::string_view text)
{
    return trimmed(text, " \t\r\n");
}

// `text` without control bytes (0x00 to 0x1F and 0x7F), for the hardware
// texts as they are read: the score files pad with 0x02 and the processor
// fields join with 0x01, so a text carrying such a byte would not load back.
inline std::string withoutControlBytes(std::string_view text)
{
    std::string kept(text);
    std::erase_if(kept, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; });
    return kept;
}

} // namespace tarvik
