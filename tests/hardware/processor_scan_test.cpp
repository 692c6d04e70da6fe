#include "expect_fault.h"
#include "hardware/processor_scan.h"
#include "fake_root.h"

#include <gtest/gtest.h>

using namespace tarvik;
using tarvik::testing::FakeRoot;

namespace {

const char *const TwoCpuinfoBlocks = "processor\t: 0\n"
                                     "vendor_id\t: GenuineIntel\n"
                                     "model name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n"
                                     "cpu MHz\t\t: 1800.000\n"
                                     "\n"
                                     "processor\t: 1\n"
                                     "model name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n"
                                     "cpu MHz\t\t: 2596.500\n"
                                     "\n"
                                     "Hardware\t: trailer block of some architectures\n";

} // namespace

TEST(ProcessorScan, OneEntryPerLogicalCpuWithClockAndLevelTwoCache)
{
    FakeRoot root;
    root.write("/proc/cpuinfo", TwoCpuinfoBlocks);
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", "3400000\n");
    root.writeCache(0, 0, "1", "32K");
    root.writeCache(0, 2, "2", "256K");
    root.writeCache(0, 3, "3", "6144K");

    const auto cpus = readProcessors(root.path());

    ASSERT_EQ(cpus.size(), 2u);
    EXPECT_EQ(cpus[0].Name, "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
    EXPECT_EQ(cpus[0].CurrentClockSpeed, 3400); // cpufreq wins over cpuinfo
    EXPECT_EQ(cpus[0].L2CacheSize, 256);
    EXPECT_EQ(cpus[1].CurrentClockSpeed, 2596); // cpuinfo's 2596.5, half to even
    EXPECT_EQ(cpus[1].L2CacheSize, std::nullopt);
}

TEST(ProcessorScan, NamesLoseTheirControlBytes)
{
    FakeRoot root;
    root.write("/proc/cpuinfo", "processor\t: 0\nmodel name\t: \x02Test\x01 CPU\x7F\n");
    const auto cpus = readProcessors(root.path());
    ASSERT_EQ(cpus.size(), 1u);
    EXPECT_EQ(cpus[0].Name, "Test CPU");
}

TEST(ProcessorScan, ClockFallsBackToMaximumAndMayBeUnknown)
{
    FakeRoot root;
    root.write("/proc/cpuinfo", "processor : 0\nmodel name : Cortex\n\nprocessor : 1\n");
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", "garbage\n");
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "2200000\n");
    root.writeCache(0, 2, "2", "1M");
    root.writeCache(0, 3, "2", "512K"); // split level-2 caches add up

    const auto cpus = readProcessors(root.path());

    ASSERT_EQ(cpus.size(), 2u);
    EXPECT_EQ(cpus[0].CurrentClockSpeed, 2200);
    EXPECT_EQ(cpus[0].L2CacheSize, 1536);
    EXPECT_EQ(cpus[1].Name, "");
    EXPECT_EQ(cpus[1].CurrentClockSpeed, std::nullopt);
}

TEST(ProcessorScan, WithoutCacheFoldersLevelTwoComesFromCpuinfoThenCpuid)
{
    FakeRoot root;
    root.write("/proc/cpuinfo", "processor : 0\nvendor_id : AuthenticAMD\ncache size : 512 KB\n\n"
                                "processor : 1\nvendor_id : GenuineIntel\ncache size : 6144 KB\n\n"
                                "processor : 2\nvendor_id : GenuineIntel\ncache size : 6144 KB\n");
    int asked = 0;
    CpuidIdentity identity;
    identity.l2 = CpuidCache{256, 4, 64};
    const auto cpus = readProcessors(root.path(), [&] {
        ++asked;
        return std::optional<CpuidIdentity>(identity);
    });

    ASSERT_EQ(cpus.size(), 3u);
    EXPECT_EQ(cpus[0].L2CacheSize, 512);
    // Intel's line holds the last-level cache, not level 2.
    EXPECT_EQ(cpus[1].L2CacheSize, 256);
    EXPECT_EQ(cpus[2].L2CacheSize, 256);
    EXPECT_EQ(asked, 1);
}

TEST(ProcessorScan, UnreadableCpuinfoIsAFault)
{
    FakeRoot root;
    EXPECT_FAULT(readProcessors(root.path()), "File not found");
}
