#pragma once

#include "hardware/hardware_fields.h"
#include "records/records.h"

#include <cstdint>
#include <string>

namespace tarvik::submit {

// The SUBMIT of the program's best times: name, description, the processor
// record `hw.CPU_info` as stored, the thread count, then every test with a
// record made without quick mode (submittedRecords), in increasing order,
// with its checksum from `hw.hwbotcpuclk`
// and `hw.hwbotcpu`. Times are written with `decimalSeparator`, as the
// checksum reads them.
//
// Throws Fault when a checksum cannot be made (no processor name, a clock
// text that is not a number).
std::string BuildSubmit(const std::string &s_name, const std::string &s_description, const HardwareFields &hw,
                        std::int16_t threads, const Records &records, char decimalSeparator);

} // namespace tarvik::submit
