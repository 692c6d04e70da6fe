// The sampler on fake /proc and /sys trees whose counters the test moves
// between the start and the end of a "run".
#include "measurement/condition_sampler.h"

#include "hardware/fake_root.h"

#include <gtest/gtest.h>

using namespace tarvik::measurement;
using tarvik::testing::FakeRoot;

namespace {

const std::filesystem::path Machines = TARVIK_TEST_MACHINES;

// A process line whose command name holds blanks and a parenthesis, as
// the kernel allows; utime and stime are 70 and 30.
std::string selfStat(int user, int system)
{
    return "4242 (tarvik (x) 2) R 1 4242 4242 0 -1 4194304 99 0 0 0 " + std::to_string(user) + " " +
           std::to_string(system) + " 0 0 20 0 3 0 1418216\n";
}

} // namespace

TEST(CpuTimes, ParsesTheKernelsLines)
{
    const std::optional<MachineTicks> machine =
        parseMachineTicks("cpu  100 20 30 800 5 1 2 7 0 0\ncpu0 50 10 15 400 2 0 1 3 0 0\n");
    ASSERT_TRUE(machine);
    EXPECT_EQ(machine->busy, 100 + 20 + 30 + 1 + 2 + 7);
    EXPECT_EQ(machine->total, machine->busy + 800 + 5);
    EXPECT_EQ(parseProcessTicks(selfStat(70, 30)), 100);
    EXPECT_FALSE(parseMachineTicks("intr 5 6\n"));
    EXPECT_FALSE(parseMachineTicks("cpu 1 2 3\n"));
    EXPECT_FALSE(parseProcessTicks("4242 tarvik R 1"));
}

TEST(CpuTimes, OthersAreTheMachinesBusyTimeLessTheProgramsOwn)
{
    const struct {
        TickReading before, after;
        std::optional<OthersLoad> load;
    } cases[] = {
        {{{100, 1000}, 10}, {{400, 2000}, 110}, OthersLoad{200, 1000}},
        // The program's own counter ran ahead of the machine's.
        {{{100, 1000}, 10}, {{150, 2000}, 70}, OthersLoad{0, 1000}},
        {{{100, 1000}, 10}, {{100, 1000}, 10}, std::nullopt},
        {{{100, 1000}, 10}, {{110, 1049}, 10}, std::nullopt},
        {{{100, 1000}, 10}, {{110, 1050}, 10}, OthersLoad{10, 50}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(othersLoad(c.before, c.after), c.load);
}

TEST(ConditionSampler, ReadsWhatChangedDuringTheRun)
{
    FakeRoot root;
    std::filesystem::copy(Machines / "intel-desktop", root.path(), std::filesystem::copy_options::recursive);
    root.write("/proc/stat", "cpu  1000 0 500 8000 100 0 0 0 0 0\n");
    root.write("/proc/self/stat", selfStat(70, 30));
    ConditionSampler sampler(root.path(), std::chrono::milliseconds(1));
    sampler.start();
    // During the run: 400 ticks of the program, 300 of others, 300 idle;
    // two throttle events on one package.
    root.write("/proc/stat", "cpu  1600 0 600 8300 100 0 0 0 0 0\n");
    root.write("/proc/self/stat", selfStat(370, 130));
    root.write("/sys/devices/system/cpu/cpu1/thermal_throttle/package_throttle_count", "4\n");
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", "3100000\n");
    const RunConditions conditions = sampler.stop();

    EXPECT_EQ(conditions.load, (OthersLoad{300, 1000}));
    EXPECT_EQ(conditions.throttleEvents, 2);
    EXPECT_EQ(conditions.system.governors, std::vector<std::string>{"powersave"});
    // The last sample is taken as the run ends, so even a short run has one.
    ASSERT_FALSE(conditions.frequencySamplesMHz.empty());
    EXPECT_EQ(conditions.frequencySamplesMHz.back(), 3100);
}

TEST(ConditionSampler, StartingAgainDropsARunThatNeverEnded)
{
    FakeRoot root;
    std::filesystem::copy(Machines / "intel-desktop", root.path(), std::filesystem::copy_options::recursive);
    ConditionSampler sampler(root.path(), std::chrono::milliseconds(1));
    sampler.start();
    root.write("/sys/devices/system/cpu/cpu0/thermal_throttle/core_throttle_count", "5\n");
    sampler.start();
    EXPECT_EQ(sampler.stop().throttleEvents, 0);
}

TEST(ConditionSampler, AMachineWithoutCountersGivesNone)
{
    FakeRoot root;
    std::filesystem::copy(Machines / "cloud-vm", root.path(), std::filesystem::copy_options::recursive);
    ConditionSampler sampler(root.path());
    sampler.start();
    const RunConditions conditions = sampler.stop();
    EXPECT_FALSE(conditions.load);
    EXPECT_FALSE(conditions.throttleEvents);
    EXPECT_TRUE(conditions.frequencySamplesMHz.empty());
    EXPECT_TRUE(conditions.system.virtualMachine);
}

TEST(ConditionSampler, TheRealMachineAnswers)
{
    ConditionSampler sampler;
    sampler.start();
    const RunConditions conditions = sampler.stop();
    EXPECT_FALSE(conditions.system.kernel.empty());
    EXPECT_FALSE(conditions.system.clockSource.empty());
    // The parsers read this kernel's files.
    EXPECT_TRUE(readTicks("/"));
}
