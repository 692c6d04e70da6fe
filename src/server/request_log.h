#pragma once

#include <string>

namespace tarvik::server {

// Writes one line, after the time in UTC, to standard error. Safe from any
// thread: lines never interleave. A control byte (a client's decoded "%0a"
// or "%1b" among them) is written as "\xNN", so no one forges a line of the
// log or sends escapes to the terminal of whoever reads it.
void logLine(const std::string &line);

} // namespace tarvik::server
