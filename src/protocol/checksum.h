#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

// The score checksum: binds a time to the test size it was made on and to the
// processor (clock text and specification text) it was made with. Score files
// store it and the submissions send it, so every step below is part of those
// formats: 1 to 8 upper-case hexadecimal digits, without leading zeros.
//
// The clock text is read in the user's locale (`decimalSeparator`); where that
// separator is the comma, a point is taken as the decimal point too, since the
// score-file reader turns the clock text's commas into points.
//
// Throws Fault for an empty `cpuname`, a clock text that is not a number or
// lies outside the 32-bit range, and a result that does not fit 32 bits.
std::string csum(std::int16_t test, double score, const std::string &cpuclock, const std::string &cpuname,
                 char decimalSeparator);

} // namespace tarvik
