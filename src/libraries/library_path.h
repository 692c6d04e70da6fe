#pragma once

#include <string>

namespace tarvik {

// Where the library `file` lives: directly in the system folder, as the
// file system names it.
std::string libraryPath(const std::string &file);

} // namespace tarvik
