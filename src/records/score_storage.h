#pragma once

#include "hardware/hardware_fields.h"
#include "records/records.h"
#include "records/score_file.h"

#include <cstdint>
#include <string>

// Saving and loading score files by path. Neither raises a fault: each
// returns the text to show the user (see scoreResults), a fault's
// description included.
namespace tarvik {

// Writes the record of test size `test` with the machine's fields to `path`,
// replacing the file only once the new one is complete. Returns
// scoreResults::Saved, the description of the fault, or, with nothing
// written, scoreResults::quickModeRecord for a record made in quick mode.
std::string saveScore(const std::string &path, std::int16_t test, const Records &records,
                      const HardwareFields &hardware, std::int16_t threads, char decimalSeparator);

// Reads the score file at `path`; a path wrapped in double quotes is opened
// without them. The caller applies the outcome's score, if any, and shows its
// message.
LoadOutcome loadScore(const std::string &path, char decimalSeparator);

} // namespace tarvik
