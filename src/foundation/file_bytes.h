#pragma once

#include <cstddef>
#include <limits>
#include <string>

// Whole files as byte strings, for the score files and the key-value tables.
// Failures throw Fault with the short description the console shows
// ("File not found", "Permission denied", "Path not found", "Disk full", ...).
namespace tarvik::files {

// The bytes of the regular file at `path`, at most `limit` of them, so that a
// huge file or a device cannot exhaust memory or block the caller. Anything
// that is not a regular file (a folder, a pipe, a device) is refused.
std::string readFileBytes(const std::string &path, std::size_t limit = std::numeric_limits<std::size_t>::max());

// Replaces the file at `path` with `bytes`: they go to a new file in the same
// folder, which is then renamed over the old one, so a write that fails half
// way leaves the old file as it was. An existing file's permissions are kept.
void replaceFileBytes(const std::string &path, const std::string &bytes);

} // namespace tarvik::files
