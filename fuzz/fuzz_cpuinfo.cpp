// The text of /proc/cpuinfo as the processor scan reads it.

#include "fuzz_check.h"
#include "hardware/cpuinfo.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace tarvik;

namespace {

bool isControlByte(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    for (const CpuinfoEntry &entry : parseCpuinfo(text)) {
        require(entry.processor >= 0, "processor numbers name sysfs folders");
        for (const auto &[key, value] : entry.fields)
            require(std::none_of(value.begin(), value.end(), isControlByte), "values carry no control bytes");
    }
    return 0;
}
