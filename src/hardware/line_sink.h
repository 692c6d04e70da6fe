#pragma once

#include <functional>
#include <string>

namespace tarvik {

// Where the hardware code sends the lines it shows the user; the console
// passes its PrintLn, tests collect the lines.
using LineSink = std::function<void(const std::string &line)>;

} // namespace tarvik
