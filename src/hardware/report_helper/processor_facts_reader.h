#pragma once

#include "hardware/cpuid_identity.h"
#include "hardware/report_helper/machine_facts.h"

#include <filesystem>
#include <optional>

namespace tarvik {

// The processor from /proc/cpuinfo and the CPU folders of sysfs under
// `root`, completed by the processor's CPUID identity where it has one:
// what cpuinfo and sysfs say is kept, CPUID adds what they leave out (code
// name, base family and model, cache geometry, instruction sets, and the
// cache sizes on virtual machines without sysfs cache folders).
ProcessorFacts readProcessorFacts(const std::filesystem::path &root, const std::optional<CpuidIdentity> &cpuid);

} // namespace tarvik
