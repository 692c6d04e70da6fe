#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// What the report helper learned about the processor. Texts are empty and
// optionals absent where the machine does not tell.
struct ProcessorFacts {
    std::string brand;  // cpuinfo's "model name", the processor's own brand string
    std::string vendor; // cpuinfo's "vendor_id"
    std::string family;
    std::string model;
    std::string stepping;
    std::optional<double> clockMHz;
    int threads = 0;                // logical CPUs
    std::optional<int> packages;    // distinct "physical id"s
    std::optional<int> cores;       // distinct ("physical id", "core id") pairs
    std::optional<std::int64_t> l2TotalKB;
    std::optional<std::int64_t> l3TotalKB;
};

// One installed memory module.
struct MemoryModule {
    std::string locator;
    std::string type; // "DDR4", ...
    std::string manufacturer;
    std::string partNumber;
    std::int64_t sizeMB = 0;
    int speedMTs = 0;           // rated transfers per second, 0 when unknown
    int configuredSpeedMTs = 0; // as the firmware set it up, 0 when unknown
};

struct MachineFacts {
    ProcessorFacts processor;
    std::optional<std::int64_t> memoryTotalKB; // /proc/meminfo's MemTotal
    std::vector<MemoryModule> modules;
    std::map<std::string, std::string> dmi; // /sys/class/dmi/id entries by file name
};

} // namespace tarvik
