#include "measurement/system_state.h"

#include "hardware/system_files.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace tarvik::measurement {

namespace {

const std::filesystem::path CpuRoot = "/sys/devices/system/cpu";

std::string firstLine(const std::filesystem::path &path)
{
    return readFirstLine(path).value_or(std::string());
}

void addDistinct(std::vector<std::string> &values, const std::string &value)
{
    if (!value.empty() && std::find(values.begin(), values.end(), value) == values.end())
        values.push_back(value);
}

bool hasHypervisorFlag(const std::filesystem::path &root)
{
    std::istringstream cpuinfo(readFileText(underRoot(root, "/proc/cpuinfo")).value_or(std::string()));
    for (std::string line; std::getline(cpuinfo, line);) {
        if (!line.starts_with("flags"))
            continue;
        std::istringstream flags(line.substr(line.find(':') + 1));
        for (std::string flag; flags >> flag;)
            if (flag == "hypervisor")
                return true;
        return false; // every CPU lists the same flags
    }
    return false;
}

// acpi-cpufreq and others say whether boost is on; intel_pstate says
// whether turbo is off.
std::optional<bool> boostState(const std::filesystem::path &root)
{
    const std::filesystem::path cpus = underRoot(root, CpuRoot);
    if (const std::string boost = firstLine(cpus / "cpufreq/boost"); !boost.empty())
        return boost == "1";
    if (const std::string noTurbo = firstLine(cpus / "intel_pstate/no_turbo"); !noTurbo.empty())
        return noTurbo == "0";
    return std::nullopt;
}

std::string smtState(const std::filesystem::path &root)
{
    const std::filesystem::path smt = underRoot(root, CpuRoot) / "smt";
    const std::string control = firstLine(smt / "control");
    if (control == "on" || control.empty()) {
        const std::string active = firstLine(smt / "active");
        if (!active.empty())
            return active == "1" ? "on" : "off";
    }
    return control;
}

} // namespace

std::vector<int> listedCpus(const std::filesystem::path &root)
{
    std::vector<int> cpus;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(underRoot(root, CpuRoot), error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("cpu") || name.size() == 3)
            continue; // cpufreq, cpuidle and the like are no CPUs
        int number = 0;
        const char *end = name.data() + name.size();
        if (std::from_chars(name.data() + 3, end, number).ptr == end)
            cpus.push_back(number);
    }
    std::sort(cpus.begin(), cpus.end());
    return cpus;
}

std::filesystem::path cpuFolder(const std::filesystem::path &root, int cpu)
{
    return underRoot(root, CpuRoot) / ("cpu" + std::to_string(cpu));
}

SystemState readSystemState(const std::filesystem::path &root)
{
    SystemState state;
    state.kernel = firstLine(underRoot(root, "/proc/sys/kernel/osrelease"));
    state.hypervisor = firstLine(underRoot(root, "/sys/hypervisor/type"));
    state.virtualMachine = !state.hypervisor.empty() || hasHypervisorFlag(root);
    for (int cpu : listedCpus(root)) {
        addDistinct(state.governors, firstLine(cpuFolder(root, cpu) / "cpufreq/scaling_governor"));
        addDistinct(state.drivers, firstLine(cpuFolder(root, cpu) / "cpufreq/scaling_driver"));
    }
    state.boost = boostState(root);
    state.smt = smtState(root);
    state.clockSource = firstLine(underRoot(root, "/sys/devices/system/clocksource/clocksource0/current_clocksource"));
    return state;
}

} // namespace tarvik::measurement
