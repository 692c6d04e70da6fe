#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number conversions used wherever a number is read from or written into text.
// Every rounding to a whole number or to a number of decimals goes to the
// nearest value, ties to the even neighbour.
namespace tarvik::numbers {

// Nearest whole number, ties to even (std::nearbyint under the default mode).
double roundHalfEven(double x);
// x rounded to `decimals` places: the scaled value x * 10^decimals (rounded to
// double) goes to the nearest whole number, ties to even, and is scaled back.
double roundHalfEven(double x, int decimals);

// Conversions to whole numbers, ties to even; a value outside the type's
// range (or not a number) throws Fault("Overflow").
std::int16_t toInt16(double x);
std::int32_t toInt32(double x);

// The lenient leading-number rule: blanks, tabs and line feeds anywhere are
// skipped; the longest beginning that forms a number (sign, digits, "." and
// digits, exponent E or D; "&H" hexadecimal, "&O" octal) gives the value;
// text without such a beginning gives 0. The decimal point is always ".".
double leadingNumber(std::string_view text);

// The strict conversion by the user's locale: the whole text, blanks around
// it aside, must be one number written with `decimalSeparator`; anything else
// throws Fault("Type mismatch").
double strictNumber(std::string_view text, char decimalSeparator);

// The number text: whole numbers as plain decimal digits, other values in the
// general form with up to 15 significant digits, no trailing zeros and the
// given decimal separator. Very large or very small values take an exponent
// ("1E+20", "1.5E-07").
std::string numberText(double value, char decimalSeparator = '.');
// The same for single-precision values, with up to 7 significant digits.
std::string singleText(float value, char decimalSeparator = '.');

// Booleans as the console prints them.
inline const char *boolText(bool value)
{
    return value ? "True" : "False";
}

} // namespace tarvik::numbers
