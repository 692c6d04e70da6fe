#pragma once

#include "hardware/clock_check.h"
#include "hardware/hardware_fields.h"
#include "hardware/line_sink.h"
#include "hardware/processor_scan.h"

#include <vector>

namespace tarvik {

// Writes the short forms of the five processor fields (CPU_info, cpu_string,
// hwbotcpu, hwbotcpuclk, hwbot_send_cpu) from the processor scan; the memory
// and mainboard fields are not touched. CPU_info and cpu_string describe the
// first processor and every processor respectively, the other three the last
// one. A processor whose clock is unknown is described with a clock of 0.
// Returns the number of processors.
int describeProcessors(const std::vector<ProcessorInfo> &processors, ClockCheck &clockCheck, char decimalSeparator,
                       const LineSink &print, HardwareFields &fields);

} // namespace tarvik
