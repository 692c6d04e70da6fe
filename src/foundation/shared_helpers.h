#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

// Joins a folder and a file name: `path` with one "/" appended unless it
// already ends with one; an empty path gives "/".
inline std::string AddSlash(const std::string &path)
{
    return !path.empty() && path.back() == '/' ? path : path + '/';
}

// A counter reading that is never available: the processor scan treats -1
// as "no reading".
inline std::int16_t placeholderCounter()
{
    return -1;
}

} // namespace tarvik
