#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// One cache level over the whole machine: `count` caches of `eachKB`, or
// when the count is unknown (count 0) one cache of `eachKB`.
struct CacheFacts {
    int count = 0;
    std::int64_t eachKB = 0;
    int ways = 0;      // set associativity, 0 when unknown
    int lineBytes = 0; // 0 when unknown

    std::int64_t totalKB() const { return eachKB * (count > 0 ? count : 1); }
};

// What the report helper learned about the processor. Texts are empty and
// optionals absent where the machine does not tell.
struct ProcessorFacts {
    std::string brand;    // the processor's own brand string (cpuinfo's "model name", CPUID), or a name built for ARM
    std::string vendor;   // cpuinfo's "vendor_id" or CPUID's vendor
    std::string codename; // from CPUID
    std::string family;   // base family and model from CPUID, in hexadecimal as the processor numbers them
    std::string model;
    std::string extFamily; // family and model with their extensions, as cpuinfo writes them
    std::string extModel;
    std::string stepping;
    std::string revision; // ARM's "r<variant>p<revision>"
    std::string instructions;
    std::optional<double> clockMHz;
    std::optional<double> coreVoltage; // volts, from a hardware monitor that labels a core voltage
    int threads = 0;                   // logical CPUs
    std::optional<int> packages;       // distinct "physical id"s
    std::optional<int> cores;          // distinct ("physical id", "core id") pairs, else CPUID's count
    std::optional<CacheFacts> l1Data;
    std::optional<CacheFacts> l1Instruction;
    std::optional<CacheFacts> l2;
    std::optional<CacheFacts> l3;
};

// Memory timings in clock cycles, from a module's SPD data.
struct MemoryTimings {
    int cas = 0;
    int rasToCas = 0;
    int rasPrecharge = 0;
    int cycleTime = 0; // tRAS
    int atMTs = 0;     // the transfer rate they hold for
};

// What a module's SPD data tells.
struct SpdFacts {
    std::string type; // "DDR3", "DDR4", "DDR5"
    std::string partNumber;
    int maxMTs = 0; // the fastest JEDEC rate the module supports
    MemoryTimings timings;
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
    std::string bankLocator;    // often names the channel: "P0 CHANNEL A", "BANK 0"
};

struct MachineFacts {
    ProcessorFacts processor;
    std::optional<std::int64_t> memoryTotalKB; // /proc/meminfo's MemTotal
    std::vector<MemoryModule> modules;
    std::vector<SpdFacts> spd;              // one per module whose SPD data could be read
    std::optional<int> channels;            // memory channels in use, where the slot names tell
    std::map<std::string, std::string> dmi; // /sys/class/dmi/id entries by file name, or the device tree's
    std::vector<std::string> needRoot;      // items left out because reading them needs root
};

} // namespace tarvik
