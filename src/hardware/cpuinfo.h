#pragma once

#include <filesystem>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// The fields of one logical CPU's block in /proc/cpuinfo.
struct CpuinfoEntry {
    int processor = 0; // the "processor" number, which is also the cpuN folder in sysfs
    std::map<std::string, std::string> fields;

    // The value of `key` ("model name", "cpu MHz", ...), empty when absent;
    // values never hold control bytes.
    std::string field(const std::string &key) const;
};

// The processor's name: "model name", or on ARM and other machines that
// have none, a name made of the "CPU implementer" and "CPU part" fields;
// empty when neither tells.
std::string processorName(const CpuinfoEntry &cpu);

// The "cache size" line in KB ("1024 KB"). The kernel writes the level-2
// size there on AMD and most other x86 processors, but the last level
// (normally level 3) on Intel, so it is no level-2 size there and gives
// nothing. Nothing also when the line is absent or malformed.
std::optional<std::int64_t> levelTwoCacheLineKB(const CpuinfoEntry &cpu);

// Parses the text of /proc/cpuinfo: one entry per block that carries a
// "processor" line, in the kernel's order. Blocks without one (the trailer
// some architectures print) are left out.
std::vector<CpuinfoEntry> parseCpuinfo(const std::string &text);

// Reads <root>/proc/cpuinfo; throws Fault("File not found") when it cannot be read.
std::vector<CpuinfoEntry> readCpuinfo(const std::filesystem::path &root);

} // namespace tarvik
