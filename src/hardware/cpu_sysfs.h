#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

struct CpuinfoEntry;

// One cache that a logical CPU sees, from
// /sys/devices/system/cpu/cpuN/cache/indexM/.
struct CacheInfo {
    int level = 0;
    std::string type; // "Data", "Instruction", "Unified"
    std::int64_t sizeKB = 0;
    std::string sharedCpus; // shared_cpu_list: CPUs seeing the same cache share this text
};

// The caches of logical CPU `cpu` whose level and size the kernel gives.
std::vector<CacheInfo> readCpuCaches(const std::filesystem::path &root, int cpu);

// Total size in KB of the level-2 caches CPU `cpu` sees; nothing when the
// kernel lists none.
std::optional<std::int64_t> levelTwoCacheKB(const std::filesystem::path &root, int cpu);

// The CPU's clock in MHz: cpufreq's current frequency, else its maximum,
// else the "cpu MHz" line of cpuinfo; nothing when none of them is given.
std::optional<double> cpuClockMHz(const std::filesystem::path &root, const CpuinfoEntry &cpu);

} // namespace tarvik
