#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// One logical CPU with the three properties the processor scan reports.
struct ProcessorInfo {
    std::string Name;                              // cpuinfo's "model name", as given
    std::optional<std::int32_t> CurrentClockSpeed; // MHz; absent when the machine does not tell
    std::optional<std::int32_t> L2CacheSize;       // KB; absent when sysfs lists no level-2 cache
};

// One entry per logical CPU of <root>/proc/cpuinfo, in the kernel's order,
// with clock and cache from sysfs under the same root. Throws
// Fault("File not found") when cpuinfo cannot be read.
std::vector<ProcessorInfo> readProcessors(const std::filesystem::path &root = "/");

} // namespace tarvik
