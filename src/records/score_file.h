#pragma once

#include "hardware/hardware_fields.h"
#include "records/records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Score files: one record with the machine it was made on, protected by the
// score checksum. Single-byte text without line breaks: the magic "Tkscore ",
// the version, fixed-width text fields padded with bytes 0x02, the test size
// index as one byte, the time as the 8 bytes of a little-endian double, the
// checksum unpadded (1 to 8 digits) and the end marker "endfile ".
// "vers1530" is written; "vers1200", "vers1300", "vers1320" and "vers1350"
// are read as well.
namespace tarvik {

// The texts that saving and loading report to the user.
namespace scoreResults {
inline constexpr const char *Saved = "Score Saved.";
inline constexpr const char *Loaded = "Score loaded.";
inline constexpr const char *InvalidFormat = "Invalid file format.";
inline constexpr const char *InvalidChecksum = "Invalid checksum.";
std::string unsupportedFormat(std::string_view version);
// "Test 6 was run in quick mode; its time cannot be saved."
std::string quickModeRecord(std::int16_t test);
} // namespace scoreResults

// The most bytes a reader looks at: the current layout with an 8-digit
// checksum and the end marker. Anything after them is never read.
inline constexpr std::size_t LongestScoreFile = 4221;

// The bytes of a current-format file holding `time` as the record of test
// size `test`. Throws Fault when the checksum cannot be made from the
// processor fields, or when `test` does not fit its one byte.
std::string scoreFileBytes(const HardwareFields &hardware, std::int16_t threads, std::int16_t test, double time,
                           char decimalSeparator);

// Everything a valid score file sets in the console.
struct LoadedScore {
    using HardwareValue = std::pair<std::string HardwareFields::*, std::string>;

    std::vector<HardwareValue> hardware; // the fields the file's version carries
    std::optional<std::int16_t> threads; // absent from "vers1200" and "vers1300"
    std::int16_t test = 0;               // always 1 to 16
    double time = 0;

    // Sets the carried fields, the thread count and the record of the test;
    // what the file's version does not carry keeps its value.
    void applyTo(HardwareFields &fields, std::int16_t &threadCount, Records &records) const;
};

struct LoadOutcome {
    std::string message;              // scoreResults::Loaded, or why the file was refused
    std::optional<LoadedScore> score; // set exactly when the file loaded
};

// Reads a whole score file. Nothing is returned to apply unless every field
// is valid and the checksum matches, so a refused file changes nothing.
LoadOutcome parseScoreFile(std::string_view bytes, char decimalSeparator);

} // namespace tarvik
