#pragma once

#include "foundation/protocol.h"
#include "hardware/hardware_fields.h"
#include "records/records.h"

#include <cstdint>
#include <string>

// The two messages the result server understands. Fields are separated by
// the byte 1; there is no other framing.
namespace tarvik::submit {

// SUBMIT: name, description, the processor record `hw.CPU_info` as stored
// (it already ends with a separator), the thread count, then for every test
// with a best time, in increasing order: the test number, the time brought to
// three decimals and the checksum of that three-decimal time. Times are
// written with `decimalSeparator`, as the checksum reads them.
//
// Throws Fault when a checksum cannot be made (no processor name, a clock
// text that is not a number).
std::string BuildSubmit(const std::string &s_name, const std::string &s_description, const HardwareFields &hw,
                        std::int16_t threads, const Records &records, char decimalSeparator);

// GET: asks for the stored result with the id `id`.
std::string BuildGet(const std::string &id);

} // namespace tarvik::submit
