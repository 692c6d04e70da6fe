#pragma once

#include "foundation/protocol.h"

#include <string>
#include <vector>

namespace tarvik {

// `text` split at every CR LF. An empty text is one empty line, and a final
// CR LF gives a last empty line, so joining the lines with CR LF gives the
// text back.
inline std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(LineEnd, start)) != std::string::npos; start = end + LineEnd.size())
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace tarvik
