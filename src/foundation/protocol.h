#pragma once

#include <cstdint>
#include <string_view>

// Numbers and bytes that are part of the program's interface: the console's
// commands, the score files, the hardware records and the result server's
// protocol all use them, so each is defined here once.
namespace tarvik {

// The test numbers: test k computes 1024 * 2^(k + 9) square roots.
inline constexpr std::int16_t FirstTest = 1;
inline constexpr std::int16_t LastTest = 16;
// The two standard tests: "32M (speed test)" and "1024M (stability test)".
inline constexpr std::int16_t SpeedTest = 6;
inline constexpr std::int16_t StabilityTest = 11;
// The very quick test "qt" and the quiet preparation run at start-up (16384 numbers).
inline constexpr std::int16_t QuickTest = -5;
// The most worker threads a run may have ("ft", score files).
inline constexpr std::int16_t MostThreads = 256;
// The key code of Enter, as the console's key handler receives it.
inline constexpr int EnterKey = 13;
// Separates the fields of a hardware record (CPU_info) and of protocol messages.
inline constexpr char FieldSeparator = '\x01';
// Ends every line of the program's text files and of the hardware texts.
inline constexpr std::string_view LineEnd = "\r\n";

inline constexpr bool isTestNumber(std::int16_t test)
{
    return test >= FirstTest && test <= LastTest;
}

} // namespace tarvik
