#pragma once

#include <string>

namespace tarvik::server {

// Writes one line, after the time in UTC, to standard error. Safe from any
// thread: lines never interleave.
void logLine(const std::string &line);

} // namespace tarvik::server
