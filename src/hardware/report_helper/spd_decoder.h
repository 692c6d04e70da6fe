#pragma once

#include "hardware/report_helper/machine_facts.h"

#include <optional>
#include <string_view>

namespace tarvik {

// Decodes the SPD data of a DDR3, DDR4 or DDR5 module (the bytes of the
// kernel's ee1004, at24 or spd5118 "eeprom" file). The timings are the
// module's minimum times turned into clock cycles, rounded up the way
// decode-dimms does, at `runningMTs` (the rate the firmware runs the module
// at) or, when that is 0 or above what the module supports, at the module's
// fastest rate. Nothing for other data: other memory types, other eeproms,
// or too few bytes.
std::optional<SpdFacts> decodeSpd(std::string_view bytes, int runningMTs);

} // namespace tarvik
