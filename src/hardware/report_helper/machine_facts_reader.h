#pragma once

#include "hardware/report_helper/machine_facts.h"

#include <filesystem>
#include <string>

namespace tarvik {

// Gathers what the report describes from the kernel's files under `root`
// (/proc/cpuinfo, /proc/meminfo, the CPU cache and cpufreq folders of sysfs,
// /sys/class/dmi/id) and from the text two tools printed: udev's properties of
// the DMI device and dmidecode's memory devices (either may be empty). The
// modules come from dmidecode when it lists any, else from udev.
MachineFacts collectMachineFacts(const std::filesystem::path &root, const std::string &udevInfo,
                                 const std::string &dmidecodeMemory);

} // namespace tarvik
