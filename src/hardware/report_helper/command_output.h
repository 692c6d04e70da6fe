#pragma once

#include <string>
#include <vector>

namespace tarvik {

// What a program prints on standard output, found on the search path and
// started without a shell; its errors are discarded. Empty when it cannot be
// started.
std::string commandOutput(const std::vector<std::string> &command);

} // namespace tarvik
