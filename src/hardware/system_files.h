#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvik {

// The kernel's text interfaces (procfs, sysfs) read as plain files, so that a
// test can point the readers at a folder that mimics them.

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> readFileText(const std::filesystem::path &path);

// The first line of a file without its line break or surrounding blanks, or
// nothing when the file cannot be read or that line is empty.
std::optional<std::string> readFirstLine(const std::filesystem::path &path);

// `absolute` (such as "/proc/cpuinfo") placed under `root`.
std::filesystem::path underRoot(const std::filesystem::path &root, const std::filesystem::path &absolute);

} // namespace tarvik
