#pragma once

#include "hardware/hardware_fields.h"
#include "hardware/line_sink.h"
#include "records/hash_table.h"

namespace tarvik {

// Prints what the parsed hardware report says about processor, memory and
// mainboard, and fills all fourteen hardware fields from it, but only when
// the core speed is plausible (at least 1 and under 10000 MHz); otherwise
// the fields keep what they had. Numbers are written with
// `decimalSeparator`, except the clock in CPU_info, which always uses ".".
// Values are taken as the report gives them: a value "#src=<path>" is text,
// never a file to read.
//
// A number too large for its type (a garbled report) throws
// Fault("Overflow") before anything is printed or written.
void summarizeReport(const HashTable &report, char decimalSeparator, const LineSink &print, HardwareFields &fields);

} // namespace tarvik
