#include "hardware/report_helper/machine_facts_reader.h"

#include "fake_root.h"

#include <gtest/gtest.h>

using namespace tarvik;
using tarvik::testing::FakeRoot;

namespace {

// Two cores of two threads each; each core's threads share its level-2
// cache, all four share the level-3 cache.
void writeQuadThreadMachine(const FakeRoot &root)
{
    std::string cpuinfo;
    for (int cpu = 0; cpu < 4; ++cpu)
        cpuinfo += "processor\t: " + std::to_string(cpu) +
                   "\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
                   "model name\t: Intel(R) Core(TM) i3-8100 CPU @ 3.60GHz\nstepping\t: 11\n"
                   "cpu MHz\t\t: 800.000\nphysical id\t: 0\ncore id\t\t: " +
                   std::to_string(cpu / 2) + "\n\n";
    root.write("/proc/cpuinfo", cpuinfo);
    for (int cpu = 0; cpu < 4; ++cpu) {
        root.writeCache(cpu, 0, "1", "32K", std::to_string(cpu));
        root.writeCache(cpu, 2, "2", "256K", cpu < 2 ? "0-1" : "2-3");
        root.writeCache(cpu, 3, "3", "6144K", "0-3");
    }
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", "3599876\n");
    root.write("/proc/meminfo", "MemTotal:        8052532 kB\nMemFree:         1234 kB\n");
    root.write("/sys/class/dmi/id/board_vendor", "Gigabyte Technology Co., Ltd.\n");
    root.write("/sys/class/dmi/id/board_name", "  \n");
}

} // namespace

TEST(MachineFacts, ProcessorMemoryAndMainboardFromTheKernelFiles)
{
    FakeRoot root;
    writeQuadThreadMachine(root);

    const MachineFacts facts = collectMachineFacts(
        root.path(), MachineSources{"E: MEMORY_DEVICE_0_SIZE=8589934592\n", "", std::nullopt, true});

    EXPECT_EQ(facts.processor.brand, "Intel(R) Core(TM) i3-8100 CPU @ 3.60GHz");
    EXPECT_EQ(facts.processor.stepping, "11");
    EXPECT_EQ(facts.processor.clockMHz, 3599.876);
    EXPECT_EQ(facts.processor.threads, 4);
    EXPECT_EQ(facts.processor.packages, 1);
    EXPECT_EQ(facts.processor.cores, 2);
    ASSERT_TRUE(facts.processor.l2 && facts.processor.l3);
    EXPECT_EQ(facts.processor.l2->count, 2); // one cache per core, not per thread
    EXPECT_EQ(facts.processor.l2->totalKB(), 512);
    EXPECT_EQ(facts.processor.l3->totalKB(), 6144);
    EXPECT_EQ(facts.memoryTotalKB, 8052532);
    ASSERT_EQ(facts.modules.size(), 1u);
    EXPECT_EQ(facts.modules[0].sizeMB, 8192);
    EXPECT_EQ(facts.dmi, (std::map<std::string, std::string>{{"board_vendor", "Gigabyte Technology Co., Ltd."}}));
}

TEST(MachineFacts, DmidecodeModulesWinOverUdevAndAnEmptyRootGivesNothing)
{
    FakeRoot root;
    const MachineFacts facts = collectMachineFacts(
        root.path(), MachineSources{"E: MEMORY_DEVICE_0_SIZE=8589934592\n",
                                    "Handle 0x0011, DMI type 17, 40 bytes\nMemory Device\n\tSize: 4 GB\n\tType: DDR3\n",
                                    std::nullopt, true});

    ASSERT_EQ(facts.modules.size(), 1u);
    EXPECT_EQ(facts.modules[0].type, "DDR3");
    EXPECT_EQ(facts.processor.threads, 0);
    EXPECT_EQ(facts.processor.clockMHz, std::nullopt);
    EXPECT_EQ(facts.processor.l2, std::nullopt);
    EXPECT_EQ(facts.memoryTotalKB, std::nullopt);
    EXPECT_TRUE(facts.dmi.empty());
}
