// Recorded machines (their /proc, /sys and device-tree files, udev's
// properties, their CPUID leaves) described by the report helper and read
// back by the summary, as a user of each machine would see it.

#include "hardware/hardware_summary.h"
#include "hardware/processor_scan.h"
#include "hardware/report_helper/machine_facts_reader.h"
#include "hardware/report_helper/report_writer.h"
#include "hardware/report_parser.h"
#include "hardware/system_files.h"
#include "fake_root.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvik;
using tarvik::testing::FakeRoot;

namespace {

const std::filesystem::path Machines = TARVIK_TEST_MACHINES;

// The recorded machine copied under a fresh root, so that a test may add to it.
void copyMachine(const std::string &machine, const FakeRoot &root)
{
    std::filesystem::copy(Machines / machine, root.path(), std::filesystem::copy_options::recursive);
}

// Cache folders as sysfs lists them for `cpus` logical CPUs, `threadsPerCore`
// of them on each core; the level-3 cache is shared by `l3Sharers` CPUs.
void writeCacheFolders(const FakeRoot &root, int cpus, int threadsPerCore, const std::string &l1d,
                       const std::string &l1i, const std::string &l2, const std::string &l3, int l3Sharers)
{
    const int cores = cpus / threadsPerCore;
    for (int cpu = 0; cpu < cpus; ++cpu) {
        const int core = cpu % cores;
        const std::string coreSharers =
            threadsPerCore == 1 ? std::to_string(cpu) : std::to_string(core) + "," + std::to_string(core + cores);
        const int l3Group = core * threadsPerCore / l3Sharers;
        root.writeCache(cpu, 0, "1", l1d, coreSharers);
        root.writeCache(cpu, 1, "1", l1i, coreSharers);
        root.write("/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/cache/index1/type", "Instruction\n");
        root.writeCache(cpu, 2, "2", l2, coreSharers);
        root.writeCache(cpu, 3, "3", l3, "group" + std::to_string(l3Group));
    }
}

std::optional<CpuidIdentity> recordedLeaves(const std::string &machine)
{
    return identifyRecordedProcessor(Machines / machine / "cpuid.txt");
}

struct Described {
    std::string report;
    HashTable table;
    std::vector<std::string> summary;
};

Described describe(const FakeRoot &root, const std::string &machine, bool asRoot = true)
{
    const MachineSources sources{readFileText(Machines / machine / "udevadm.txt").value_or(""), "",
                                 recordedLeaves(machine), asRoot};
    Described described;
    described.report = reportText(collectMachineFacts(root.path(), sources), ReportOptions{true});
    described.table = ParseReport(described.report, [](const std::string &) {});
    HardwareFields fields;
    summarizeReport(
        described.table, '.', [&](const std::string &line) { described.summary.push_back(line); }, fields);
    return described;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(MachineReport, IntelDesktop)
{
    FakeRoot root;
    copyMachine("intel-desktop", root);
    writeCacheFolders(root, 4, 1, "32K", "32K", "256K", "6144K", 4);

    const Described described = describe(root, "intel-desktop");

    EXPECT_EQ(described.summary, (Lines{"", "Found CPU: ", "Intel(R) Core(TM) i5-6600K CPU @ 3.50GHz",
                                        "Skylake (Core i5) Core", "3900.1 MHz Clock", "0 MHz FSB", "1024 KB L2 Cache",
                                        "0 V", "Step 3", "Found Memory: ", "16384 MB DDR4", "1066.5 MHz", "Cl 0-0-0-0",
                                        "Found Motherboard: ", "ASUSTeK COMPUTER INC.", "Z170-A", ""}));
    EXPECT_EQ(described.table.getValue("Processors Information.Instructions sets"),
              "MMX, SSE, SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, x86-64, VT-x, AES, AVX, AVX2, FMA3");
    EXPECT_EQ(described.table.getValue("Processors Information.L1 Data cache"),
              "4 x 32 KBytes, 8-way set associative, 64-byte line size");
    EXPECT_EQ(described.table.getValue("Processors Information.L3 cache"),
              "6144 KBytes, 12-way set associative, 64-byte line size");
    EXPECT_EQ(described.table.getValue("Processors Information.Family"), "6");
    EXPECT_EQ(described.table.getValue("Processors Information.Ext. Model"), "94");
    EXPECT_EQ(described.table.getValue("Chipset.Channels"), "Dual");
    EXPECT_EQ(described.table.getValue("DMI BIOS.version"), "3802");
}

TEST(MachineReport, AmdDesktopWithSpdDataAndACoreVoltage)
{
    FakeRoot root;
    copyMachine("amd-desktop", root);
    writeCacheFolders(root, 12, 2, "32K", "32K", "512K", "16384K", 6);

    const Described described = describe(root, "amd-desktop");

    EXPECT_EQ(described.summary,
              (Lines{"", "Found CPU: ", "AMD Ryzen 5 3600 6-Core Processor", "Ryzen 5 (Matisse) Core", "4200 MHz Clock",
                     "0 MHz FSB", "3072 KB L2 Cache", "1.224 V", "Step 0", "Found Memory: ", "32768 MB DDR4",
                     "1600 MHz", "Cl 22-22-22-52", "Found Motherboard: ", "Micro-Star International Co., Ltd.",
                     "B450 TOMAHAWK MAX (MS-7C02)", ""}));
    EXPECT_EQ(described.table.getValue("Processors Information.L3 cache"),
              "32768 KBytes, 16-way set associative, 64-byte line size");
    EXPECT_EQ(described.table.getValue("Processors Information.Number of cores"), "6");
    EXPECT_EQ(described.table.getValue("Memory SPD.Max bandwidth"), "DDR4-3200 (1600.0 MHz)");
    EXPECT_EQ(described.table.getValue("Memory SPD.Part number"), "KVR32N22S8/16");
    EXPECT_EQ(described.table.getValue("Memory SPD.DIMM #"), "2");
    EXPECT_EQ(described.table.getValue("Chipset.Channels"), "Dual");
}

TEST(MachineReport, CloudVmWithoutCacheFoldersOrDmi)
{
    FakeRoot root;
    copyMachine("cloud-vm", root);

    const Described described = describe(root, "cloud-vm");

    EXPECT_EQ(described.summary, (Lines{"", "Found CPU: ", "AMD EPYC", "Turin Core", "2694.9 MHz Clock", "0 MHz FSB",
                                        "2048 KB L2 Cache", "0 V", "Step 1", "Found Memory: ", "24105 MB ", "0 MHz",
                                        "Cl 0-0-0-0", "Found Motherboard: ", "", "", ""}));
    // Without cache folders the sizes come from cpuinfo and CPUID; how many
    // level-3 caches there are, only sysfs would say.
    EXPECT_EQ(described.table.getValue("Processors Information.L3 cache"),
              "32768 KBytes, 16-way set associative, 64-byte line size");
    // The kernel's flags add what libcpuid leaves out under this hypervisor.
    EXPECT_EQ(described.table.getValue("Processors Information.Instructions sets"),
              "MMX, MMX(+), SSE, SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, SSE4A, x86-64, AES, AVX, AVX2, AVX512F, FMA3, SHA");
    const auto cpus = readProcessors(root.path(), [] { return recordedLeaves("cloud-vm"); });
    ASSERT_EQ(cpus.size(), 2u);
    EXPECT_EQ(cpus[1].L2CacheSize, 1024);
}

TEST(MachineReport, ArmBoardNamedFromItsPartAndDeviceTree)
{
    FakeRoot root;
    copyMachine("arm-board", root);

    const Described described = describe(root, "arm-board");

    EXPECT_EQ(described.summary,
              (Lines{"", "Found CPU: ", "ARM Cortex-A72", " Core", "1500 MHz Clock", "0 MHz FSB", "0 KB L2 Cache",
                     "0 V", "Step r0p3", "Found Memory: ", "3791 MB ", "0 MHz", "Cl 0-0-0-0",
                     "Found Motherboard: ", "raspberrypi", "Raspberry Pi 4 Model B Rev 1.4", ""}));
    const auto cpus = readProcessors(root.path());
    ASSERT_EQ(cpus.size(), 4u);
    EXPECT_EQ(cpus[3].Name, "ARM Cortex-A72");
}

TEST(MachineReport, WithoutRootTheHeaderNamesWhatNeedsRoot)
{
    FakeRoot root;
    copyMachine("cloud-vm", root);
    // An eeprom that cannot be read, as a module's SPD file is for anyone but
    // root; a folder stands for it, since the tests may run as root.
    std::filesystem::create_directories(root.path() / "sys/bus/i2c/drivers/ee1004/0-0050/eeprom");
    root.write("/sys/firmware/dmi/tables/DMI", "firmware table");

    const std::string asUser = describe(root, "cloud-vm", false).report;
    const std::string asRoot = describe(root, "cloud-vm", true).report;

    EXPECT_TRUE(asUser.starts_with("Hardware report\r\nLeft out, since reading them needs root: memory timings "
                                   "(the modules' SPD data), memory modules (dmidecode)\r\n\r\n"
                                   "Processors Information\r\n"));
    EXPECT_TRUE(asRoot.starts_with("Hardware report\r\n\r\nProcessors Information\r\n"));

    // Without modules' eeproms or a firmware table root would see no more.
    std::filesystem::remove_all(root.path() / "sys");
    EXPECT_TRUE(describe(root, "cloud-vm", false).report.starts_with("Hardware report\r\n\r\nProcessors"));
}
