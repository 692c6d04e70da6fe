#pragma once

#include "hardware/cpuid_identity.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// One logical CPU with the three properties the processor scan reports.
struct ProcessorInfo {
    std::string Name;                              // cpuinfo's "model name" as given, else a name built for ARM
    std::optional<std::int32_t> CurrentClockSpeed; // MHz; absent when the machine does not tell
    std::optional<std::int32_t> L2CacheSize;       // KB; absent when no source tells
};

// One entry per logical CPU of <root>/proc/cpuinfo, in the kernel's order,
// with the clock from sysfs under the same root. The level-2 size comes from
// sysfs's cache folders, which many virtual machines lack, else from
// cpuinfo's "cache size" line, else from `cpuid` (asked once, and only then).
// Without a source, the processor itself is asked when `root` is "/"; the
// machine a test root describes is not the one running the test.
// Throws Fault("File not found") when cpuinfo cannot be read.
std::vector<ProcessorInfo> readProcessors(const std::filesystem::path &root = "/", CpuidSource cpuid = {});

} // namespace tarvik
