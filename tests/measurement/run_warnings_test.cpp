// The conditions of a run on the recorded machines, and the warnings each
// condition that spoils a score gives.
#include "measurement/run_warnings.h"
#include "measurement/system_state.h"

#include "hardware/fake_root.h"

#include <gtest/gtest.h>

using namespace tarvik::measurement;
using tarvik::testing::FakeRoot;

namespace {

const std::filesystem::path Machines = TARVIK_TEST_MACHINES;

std::vector<std::string> kinds(const std::vector<RunWarning> &warnings)
{
    std::vector<std::string> result;
    for (const RunWarning &warning : warnings)
        result.push_back(warning.kind);
    return result;
}

} // namespace

TEST(SystemState, RecordedMachines)
{
    const struct {
        std::string machine;
        SystemState state;
    } cases[] = {
        {"intel-desktop", {"6.1.0-18-amd64", false, "", {"powersave"}, {"intel_pstate"}, true, "on", "tsc"}},
        {"amd-desktop", {"6.5.0-14-generic", false, "", {"performance"}, {"acpi-cpufreq"}, false, "forceoff", "tsc"}},
        {"cloud-vm", {"5.15.0-1051-aws", true, "", {}, {}, std::nullopt, "notsupported", "kvm-clock"}},
        // Nothing of it recorded: every field stays empty.
        {"arm-board", {"", false, "", {}, {}, std::nullopt, "", ""}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readSystemState(Machines / c.machine), c.state) << c.machine;
}

TEST(SystemState, MixedGovernorsAndXenAreNamed)
{
    FakeRoot root;
    std::filesystem::copy(Machines / "intel-desktop", root.path(), std::filesystem::copy_options::recursive);
    root.write("/sys/devices/system/cpu/cpu2/cpufreq/scaling_governor", "performance\n");
    root.write("/sys/hypervisor/type", "xen\n");
    const SystemState state = readSystemState(root.path());
    EXPECT_EQ(state.governors, (std::vector<std::string>{"powersave", "performance"}));
    EXPECT_TRUE(state.virtualMachine);
    EXPECT_EQ(state.hypervisor, "xen");
}

TEST(RunWarnings, EachConditionThatSpoilsAScore)
{
    SystemState quietDesktop;
    quietDesktop.governors = {"performance"};
    SystemState powersave = quietDesktop;
    powersave.governors = {"powersave"};
    SystemState mixed = quietDesktop;
    mixed.governors = {"performance", "schedutil"};
    SystemState kvm;
    kvm.virtualMachine = true;
    SystemState xen = kvm;
    xen.hypervisor = "xen";

    const struct {
        std::string name;
        RunConditions conditions;
        std::vector<std::string> kinds;
        std::string firstReason;
    } cases[] = {
        {"quiet", {quietDesktop, {3900, 3950, 4000}, 0, OthersLoad{50, 1000}}, {}, ""},
        {"no counters at all", {{}, {}, std::nullopt, std::nullopt}, {}, ""},
        {"load just over 5 %",
         {quietDesktop, {}, std::nullopt, OthersLoad{51, 1000}},
         {"load"},
         "Other processes used 5.1 % of the processor time: they took cores from the test."},
        {"powersave",
         {powersave, {}, std::nullopt, std::nullopt},
         {"governor"},
         "The scaling governor is powersave, not performance: the clock may drop or rise while the test runs."},
        {"mixed governors",
         {mixed, {}, std::nullopt, std::nullopt},
         {"governor"},
         "The scaling governor is performance, schedutil, not performance: the clock may drop or rise while the "
         "test runs."},
        {"throttled",
         {quietDesktop, {}, 3, std::nullopt},
         {"throttling"},
         "The CPUs were throttled 3 times: they ran too hot to keep their clock."},
        // A spread of 1000 MHz around a median of 3900 is over 25 %; 900 is not.
        {"frequency spread",
         {quietDesktop, {3000, 3900, 4000}, std::nullopt, std::nullopt},
         {"frequency"},
         "The CPUs ran between 3000 and 4000 MHz: the clock was not steady."},
        {"frequency within bounds", {quietDesktop, {3100, 3900, 4000}, std::nullopt, std::nullopt}, {}, ""},
        {"kvm",
         {kvm, {}, std::nullopt, std::nullopt},
         {"virtual-machine"},
         "The program runs in a virtual machine: the host may give its processors to other guests."},
        {"xen",
         {xen, {}, std::nullopt, std::nullopt},
         {"virtual-machine"},
         "The program runs in a virtual machine (xen): the host may give its processors to other guests."},
        {"all at once",
         {powersave, {800, 4000}, 1, OthersLoad{500, 1000}},
         {"load", "governor", "throttling", "frequency"},
         "Other processes used 50.0 % of the processor time: they took cores from the test."},
    };
    for (const auto &c : cases) {
        const std::vector<RunWarning> warnings = runWarnings(c.conditions);
        EXPECT_EQ(kinds(warnings), c.kinds) << c.name;
        EXPECT_EQ(warnings.empty() ? "" : warnings.front().reason, c.firstReason) << c.name;
    }
}

TEST(RunConditions, SeveralRunsAddUp)
{
    SystemState first;
    first.kernel = "6.1";
    SystemState last = first;
    last.governors = {"powersave"};
    const RunConditions all = combined({{first, {3000, 3100}, 2, OthersLoad{10, 1000}},
                                        {last, {3200}, std::nullopt, OthersLoad{90, 1000}},
                                        {last, {}, 1, std::nullopt}});
    EXPECT_EQ(all.system, last);
    EXPECT_EQ(all.frequencySamplesMHz, (std::vector<double>{3000, 3100, 3200}));
    EXPECT_EQ(all.throttleEvents, 3);
    EXPECT_EQ(all.load, (OthersLoad{100, 2000}));
    EXPECT_DOUBLE_EQ(all.load->share(), 0.05);
    EXPECT_EQ(all.frequencies()->median, 3100);
    EXPECT_FALSE(combined({}).frequencies());
}
