#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// One cache level as the processor describes it for one core (L1, L2) or
// one group of cores (L3).
struct CpuidCache {
    int sizeKB = 0;
    int ways = 0;      // set associativity; 0 when not told
    int lineBytes = 0; // 0 when not told
};

// What an x86 processor says about itself through the CPUID instruction,
// decoded by libcpuid.
struct CpuidIdentity {
    std::string vendor;   // "GenuineIntel", "AuthenticAMD", ...
    std::string brand;    // the brand string, without padding blanks
    std::string codename; // empty when the processor is not known by name
    int family = 0;
    int model = 0;
    int stepping = 0;
    int extFamily = 0;
    int extModel = 0;
    int cores = 0; // per package; hypervisors often misreport it
    std::optional<CpuidCache> l1Data;
    std::optional<CpuidCache> l1Instruction;
    std::optional<CpuidCache> l2;
    std::optional<CpuidCache> l3;
    std::vector<std::string> instructionSets; // "MMX", "SSE", ..., "AVX2"
};

// Where the identity comes from: this machine's processor, or in tests a
// recording of its CPUID leaves.
using CpuidSource = std::function<std::optional<CpuidIdentity>()>;

// This machine's processor; nothing on processors without CPUID (ARM and
// others) or when the library cannot decode it.
std::optional<CpuidIdentity> identifyThisProcessor();

// A processor from CPUID leaves recorded in libcpuid's raw-data text format
// ("basic_cpuid[1]=000506e3 00100800 7ffafbbf bfebfbff" lines); nothing when
// the file cannot be read or decoded.
std::optional<CpuidIdentity> identifyRecordedProcessor(const std::filesystem::path &recording);

} // namespace tarvik
