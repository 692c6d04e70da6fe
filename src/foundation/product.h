#pragma once

#include <string_view>

// The product's name and version, defined once: the window captions, the
// instance lock, "--version", the results file and the build's project
// version (the top CMakeLists.txt reads ProductVersion from this file) all
// take them from here.
namespace tarvik {

inline constexpr std::string_view ProductName = "Tarvik";
inline constexpr std::string_view ProductVersion = "1.55";
// The console window's caption; stored score files and the instance lock
// name carry it, so its spelling stays.
inline constexpr std::string_view ProductTitle = "Tarvik Benchmark v1.55";

} // namespace tarvik
