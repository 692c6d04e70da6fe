#pragma once

#include "hardware/report_helper/machine_facts.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// The installed modules from the properties that udev keeps for the DMI
// device ("udevadm info -p /sys/devices/virtual/dmi/id" output, lines such as
// "E: MEMORY_DEVICE_0_SIZE=8589934592"), in slot order. Empty slots are left out.
std::vector<MemoryModule> modulesFromUdev(const std::string &udevInfo);

// The installed modules from "dmidecode -t 17" output. Empty slots are left out.
std::vector<MemoryModule> modulesFromDmidecode(const std::string &dmidecodeOutput);

// The memory channels the modules occupy, where every module's slot names
// its channel ("ChannelA-DIMM0", "P0 CHANNEL B"); nothing otherwise.
std::optional<int> channelCount(const std::vector<MemoryModule> &modules);

} // namespace tarvik
