#pragma once

#include "foundation/protocol.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvik::testing {

// A processor record (CPU_info) as the processor scan fills it: name, clock
// in MHz and thread count.
inline std::string cpuInfo(std::string_view name, std::string_view mhz, std::string_view threads)
{
    return std::string(name) + FieldSeparator + std::string(mhz) + FieldSeparator + std::string(threads);
}

// Lines of a hardware text (cpu_string), joined as the console keeps them.
inline std::string hardwareLines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines) {
        if (!text.empty())
            text += LineEnd;
        text += line;
    }
    return text;
}

} // namespace tarvik::testing
