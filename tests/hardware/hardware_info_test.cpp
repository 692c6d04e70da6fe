// The processor scan as the console runs it, over machines of the test's making.
#include "hardware/hardware_console.h"
#include "hardware/hardware_info.h"

#include "fake_root.h"

#include <gtest/gtest.h>

using namespace tarvik;
using tarvik::testing::FakeRoot;

namespace {

// The console as the hardware parts see it: what they print goes to a pane.
class FakeHardwareConsole : public HardwareConsole {
public:
    void PrintLn(const std::string &message) override { pane += message + "\n"; }
    void processEvents() override {}
    char decimalSeparator() const override { return '.'; }
    HardwareFields &hardwareFields() override { return hw; }
    bool libraryExists(const std::string &) const override { return false; }
    std::string systemFolder() const override { return {}; }

    std::string pane;
    HardwareFields hw;
};

const std::string FailureLines =
    "Unable to access WMI object. Cannot detect CPU.\n"
    "Setting default thread usage to 1. Please use ft <thread count> to match your platform.\n";

class HardwareInfoTest : public ::testing::Test {
protected:
    FakeHardwareConsole console;
    FakeRoot root;
};

} // namespace

TEST_F(HardwareInfoTest, ScanListsEveryProcessorAndWarnsOnlyOnce)
{
    root.write("/proc/cpuinfo", "processor\t: 0\nmodel name\t: Alpha  \ncpu MHz\t\t: 1800.000\n\n"
                                "processor\t: 1\nmodel name\t: Beta\n\n");
    root.writeCache(0, 2, "2", "512K");
    HardwareInfo hardware(console, root.path());

    EXPECT_EQ(hardware.ScanSystem(), 2);
    EXPECT_EQ(hardware.ScanSystem(), 2);

    const std::string scan = "CPU Found: CPU0\nName:     Alpha\nSpeed:    1800 MHz\nL2 Cache: 512 KB\n"
                             "CPU Found: CPU1\nName:     Beta\nSpeed:    0 MHz\nL2 Cache:  KB\n\n";
    EXPECT_EQ(console.pane, "rdtsc returned an invalid clock rate (0) - using system clock instead\n" + scan + scan);
    EXPECT_EQ(console.hw.CPU_info, "Alpha\x01"
                                   "1800\x01"
                                   "512\x01");
    EXPECT_EQ(console.hw.hwbotcpu, "Beta");
}

TEST_F(HardwareInfoTest, MachineWithoutProcessorsFallsBackToOneThread)
{
    // No cpuinfo at all, and one without a processor block: an empty count
    // would leave every run waiting for workers that never start.
    HardwareInfo hardware(console, root.path());
    EXPECT_EQ(hardware.ScanSystem(), 1);
    root.write("/proc/cpuinfo", "Hardware\t: a board without processor lines\n");
    EXPECT_EQ(hardware.ScanSystem(), 1);
    EXPECT_EQ(console.pane, FailureLines + FailureLines);
}
