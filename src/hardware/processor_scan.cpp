#include "hardware/processor_scan.h"

#include "foundation/numbers.h"
#include "hardware/cpu_sysfs.h"
#include "hardware/cpuinfo.h"

namespace tarvik {

namespace {

// The processor's own per-core level-2 size, asked for at most once per scan.
class CpuidLevelTwo {
public:
    explicit CpuidLevelTwo(const CpuidSource &source) : m_source(source) {}

    std::optional<std::int64_t> sizeKB()
    {
        if (!m_asked) {
            m_asked = true;
            if (const auto identity = m_source(); identity && identity->l2)
                m_sizeKB = identity->l2->sizeKB;
        }
        return m_sizeKB;
    }

private:
    const CpuidSource &m_source;
    bool m_asked = false;
    std::optional<std::int64_t> m_sizeKB;
};

} // namespace

std::vector<ProcessorInfo> readProcessors(const std::filesystem::path &root, CpuidSource cpuid)
{
    if (!cpuid)
        cpuid = root == "/" ? CpuidSource(identifyThisProcessor)
                            : CpuidSource([] { return std::optional<CpuidIdentity>(); });
    CpuidLevelTwo cpuidLevelTwo(cpuid);
    std::vector<ProcessorInfo> processors;
    for (const CpuinfoEntry &cpu : readCpuinfo(root)) {
        ProcessorInfo info{processorName(cpu), std::nullopt, std::nullopt};
        if (const auto mhz = cpuClockMHz(root, cpu))
            info.CurrentClockSpeed = numbers::toInt32(*mhz);
        auto kb = levelTwoCacheKB(root, cpu.processor);
        if (!kb)
            kb = levelTwoCacheLineKB(cpu);
        if (!kb)
            kb = cpuidLevelTwo.sizeKB();
        if (kb)
            info.L2CacheSize = numbers::toInt32(static_cast<double>(*kb));
        processors.push_back(info);
    }
    return processors;
}

} // namespace tarvik
