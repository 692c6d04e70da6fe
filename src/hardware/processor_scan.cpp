#include "hardware/processor_scan.h"

#include "foundation/numbers.h"
#include "hardware/cpu_sysfs.h"
#include "hardware/cpuinfo.h"

namespace tarvik {

std::vector<ProcessorInfo> readProcessors(const std::filesystem::path &root)
{
    std::vector<ProcessorInfo> processors;
    for (const CpuinfoEntry &cpu : readCpuinfo(root)) {
        ProcessorInfo info{cpu.field("model name"), std::nullopt, std::nullopt};
        if (const auto mhz = cpuClockMHz(root, cpu))
            info.CurrentClockSpeed = numbers::toInt32(*mhz);
        if (const auto kb = levelTwoCacheKB(root, cpu.processor))
            info.L2CacheSize = numbers::toInt32(static_cast<double>(*kb));
        processors.push_back(info);
    }
    return processors;
}

} // namespace tarvik
