#pragma once

#include <filesystem>
#include <map>
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

// Parses the text of /proc/cpuinfo: one entry per block that carries a
// "processor" line, in the kernel's order. Blocks without one (the trailer
// some architectures print) are left out.
std::vector<CpuinfoEntry> parseCpuinfo(const std::string &text);

// Reads <root>/proc/cpuinfo; throws Fault("File not found") when it cannot be read.
std::vector<CpuinfoEntry> readCpuinfo(const std::filesystem::path &root);

} // namespace tarvik
