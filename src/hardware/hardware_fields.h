#pragma once

#include <string>

namespace tarvik {

// The hardware summary: every text that score files and submissions carry
// about the machine. All fields are byte strings, empty until first set.
struct HardwareFields {
    std::string CPU_info;       // the server record, fields separated by "\x01"
    std::string cpu_string;     // multi-line description joined by CR LF
    std::string hwbotcpu;       // processor specification (long model string)
    std::string hwbotcpuclk;    // processor clock in MHz, as number text
    std::string hwbot_send_cpu; // processor name (short form)
    std::string mem_type;
    std::string mem_size;
    std::string mem_freq;
    std::string mem_cas;
    std::string mem_rcd;
    std::string mem_rp;
    std::string mem_tras;
    std::string board_model;
    std::string board_vendor;

    bool operator==(const HardwareFields &) const = default;
};

} // namespace tarvik
