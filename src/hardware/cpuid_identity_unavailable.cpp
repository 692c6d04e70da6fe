#include "hardware/cpuid_identity.h"

// Processors without the CPUID instruction (ARM and others): the hardware
// description comes from /proc/cpuinfo and sysfs alone.

namespace tarvik {

std::optional<CpuidIdentity> identifyThisProcessor()
{
    return std::nullopt;
}

std::optional<CpuidIdentity> identifyRecordedProcessor(const std::filesystem::path &)
{
    return std::nullopt;
}

} // namespace tarvik
