#pragma once

#include "hardware/clock_check.h"
#include "hardware/hardware_console.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace tarvik {

// The console's hardware detection: the processor scan that gives the thread
// count, and the fuller summary from the report helper when it is installed.
// Both print what they find and fill the console's hardware fields.
class HardwareInfo {
public:
    // `machineRoot` is where /proc and /sys are read; tests give a folder of their making.
    explicit HardwareInfo(HardwareConsole &console, std::filesystem::path machineRoot = "/");

    // Lists every logical processor with its clock and level-2 cache and
    // returns their number; 1 when no processor can be found.
    std::int16_t ScanSystem();
    // Runs the report helper, prints the summary of its report and fills the
    // hardware fields from it; says so when the helper is not installed.
    void GetCPUz();

private:
    void print(const std::string &line);
    std::int16_t scanFailed();

    HardwareConsole &m_console;
    std::filesystem::path m_machineRoot;
    // Lives as long as the console, so its warning shows once however often the scan runs.
    ClockCheck m_clockCheck;
};

} // namespace tarvik
