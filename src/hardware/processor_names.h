#pragma once

#include <string>

namespace tarvik {

// The code name of an x86 processor: `libraryName` as libcpuid matched it,
// except for AMD families newer than the library's tables, where it would
// pick the nearest older design and so name the wrong one; those come from a
// short table of our own and are left empty when not in it.
std::string processorCodename(const std::string &vendor, int extFamily, int extModel, const std::string &libraryName);

// A processor name for ARM and other machines whose /proc/cpuinfo has no
// "model name": the designer and the core from the "CPU implementer" and
// "CPU part" fields ("0x41", "0xd08" give "ARM Cortex-A72"). A designer
// known without its part gives the designer and the part number; nothing
// when the designer is not known.
std::string armProcessorName(const std::string &implementer, const std::string &part);

} // namespace tarvik
