#pragma once

#include <string>

namespace tarvik {

// Joins a folder and a file name: `path` with one "/" appended unless it
// already ends with one; an empty path gives "/".
inline std::string AddSlash(const std::string &path)
{
    return !path.empty() && path.back() == '/' ? path : path + '/';
}

} // namespace tarvik
