#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::measurement {

// The settings of the machine that change how fast a run can go, read from
// procfs and sysfs under `root` without root rights. Values the kernel does
// not give stay empty.
struct SystemState {
    std::string kernel;          // /proc/sys/kernel/osrelease
    bool virtualMachine = false; // the "hypervisor" CPU flag or /sys/hypervisor
    std::string hypervisor;      // /sys/hypervisor/type, when the kernel names it
    // The distinct scaling governors and drivers of the CPUs, in CPU order;
    // empty where cpufreq is absent (most virtual machines).
    std::vector<std::string> governors;
    std::vector<std::string> drivers;
    std::optional<bool> boost; // turbo or boost allowed
    std::string smt;           // "on", "off", "forceoff", "notsupported", ...
    std::string clockSource;

    bool operator==(const SystemState &) const = default;
};

// The numbers of the CPUs that sysfs lists (cpu0, cpu1, ...), in order.
std::vector<int> listedCpus(const std::filesystem::path &root);

std::filesystem::path cpuFolder(const std::filesystem::path &root, int cpu);

SystemState readSystemState(const std::filesystem::path &root);

} // namespace tarvik::measurement
