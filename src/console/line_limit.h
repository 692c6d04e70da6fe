#pragma once

#include <cstddef>

namespace tarvik {

// The longest line the console takes, in bytes: 1 MiB. A longer line, typed,
// pasted or piped, is refused whole with LineTooLong, so that no part of it
// is taken for a command and memory stays bounded.
inline constexpr std::size_t LongestLine = std::size_t{1} << 20;
inline constexpr const char *LineTooLong = "Line refused: longer than 1048576 bytes.";

} // namespace tarvik
