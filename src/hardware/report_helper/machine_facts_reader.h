#pragma once

#include "hardware/cpuid_identity.h"
#include "hardware/report_helper/machine_facts.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tarvik {

// What the helper learns outside the kernel's files.
struct MachineSources {
    std::string udevInfo;        // udev's properties of the DMI device; may be empty
    std::string dmidecodeMemory; // "dmidecode -t 17" output; empty without root
    std::optional<CpuidIdentity> cpuid;
    bool root = false; // whether the helper runs as root
};

// Gathers what the report describes from the kernel's files under `root`
// (/proc/cpuinfo, /proc/meminfo, the CPU cache and cpufreq folders of sysfs,
// /sys/class/dmi/id or else the device tree, the modules' SPD eeprom files,
// hardware monitors) and from `sources`. The modules come from dmidecode when
// it lists any, else from udev. Without root, the items whose sources only
// root may read are named in `needRoot`.
MachineFacts collectMachineFacts(const std::filesystem::path &root, const MachineSources &sources);

} // namespace tarvik
