#include "foundation/numbers.h"

#include "foundation/blanks.h"
#include "foundation/fault.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace tarvik::numbers {

double roundHalfEven(double x)
{
    return std::nearbyint(x);
}

double roundHalfEven(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    // A value whose scaled form overflows is far beyond the last place that
    // holds a fraction, so it is already rounded.
    if (!std::isfinite(scaled))
        return x;
    return std::nearbyint(scaled) / scale;
}

namespace {

template <typename Int>
Int toWhole(double x)
{
    const double r = std::nearbyint(x);
    if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
        throw Fault(faults::Overflow);
    return static_cast<Int>(r);
}

bool isSkippedBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A search of the letters as a C string would also find its terminating NUL.
bool isExponentLetter(char c)
{
    return std::string_view("EeDd").find(c) != std::string_view::npos;
}

// The value of `c` as a digit of any radix up to 36, or 36 when it is none.
// Plain ranges, as the C library's character classes follow the locale.
int digitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    return 36;
}

// The digits of "&H1F" (hexadecimal), "&O17" or "&17" (octal) and their radix.
struct RadixText {
    std::string digits;
    int radix;
};

RadixText radixText(const std::string &s)
{
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
    if (kind == 'H')
        return {s.substr(2), 16};
    if (kind == 'O')
        return {s.substr(2), 8};
    return {s.substr(1), 8};
}

// The digits up to the first that is not one of the radix: four digits or
// fewer read as a 16-bit value, more as a 32-bit one, so "&HFFFF" is -1 as
// in the classic rule.
double radixNumber(const RadixText &text)
{
    unsigned long long value = 0;
    std::size_t used = 0;
    for (char c : text.digits) {
        const int d = digitValue(c);
        if (d >= text.radix)
            break;
        value = value * text.radix + d;
        if (value > 0xFFFFFFFFull)
            throw Fault(faults::Overflow);
        ++used;
    }
    if (value <= 0xFFFF && used <= (text.radix == 16 ? 4u : 6u))
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

bool isWholeRadixNumber(const RadixText &text)
{
    return !text.digits.empty() &&
           std::all_of(text.digits.begin(), text.digits.end(), [&](char c) { return digitValue(c) < text.radix; });
}

// Copies the sign at `pos`, if there is one, into `out`.
void takeSign(const std::string &s, std::size_t &pos, std::string &out)
{
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        out += s[pos++];
}

// Copies the digits that start at `pos` into `out`; whether there was one.
bool takeDigits(const std::string &s, std::size_t &pos, std::string &out)
{
    const std::size_t start = pos;
    while (pos < s.size() && isDigit(s[pos]))
        out += s[pos++];
    return pos > start;
}

// Reads sign, digits, point, digits and exponent from `s` at `pos`, copying
// what it takes into `out` (with '.' as the point). Returns whether any
// digit of the mantissa was read.
bool scanDecimal(const std::string &s, std::size_t &pos, char point, std::string &out)
{
    takeSign(s, pos, out);
    bool digits = takeDigits(s, pos, out);
    if (pos < s.size() && s[pos] == point) {
        out += '.';
        ++pos;
        digits = takeDigits(s, pos, out) || digits;
    }
    if (!digits)
        return false;
    if (pos < s.size() && isExponentLetter(s[pos])) {
        std::size_t p = pos + 1;
        std::string exponent = "E";
        takeSign(s, p, exponent);
        // A bare exponent letter is not part of the number.
        if (takeDigits(s, p, exponent)) {
            out += exponent;
            pos = p;
        }
    }
    return true;
}

// Whether the number `text` (digits, "." and an exponent, no sign) that the
// conversion found out of range is too large rather than too small: its
// first significant digit stands at a positive power of ten.
bool isTooLarge(std::string_view text)
{
    const std::size_t exponentAt = std::min(text.find_first_of("Ee"), text.size());
    const std::string_view mantissa = text.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstDigit = mantissa.find_first_of("123456789");
    if (firstDigit == std::string_view::npos)
        return false;
    // Places of the first significant digit left of the point (negative right of it).
    const long long places = firstDigit < point ? static_cast<long long>(point - firstDigit)
                                                : -static_cast<long long>(firstDigit - point - 1);
    if (exponentAt == text.size())
        return places > 0;
    std::string_view exponent = text.substr(exponentAt + 1);
    const bool negativeExponent = exponent.starts_with('-');
    if (exponent.starts_with('-') || exponent.starts_with('+'))
        exponent.remove_prefix(1);
    long long power = 0;
    if (std::from_chars(exponent.data(), exponent.data() + exponent.size(), power).ec != std::errc())
        return !negativeExponent; // an exponent beyond any count of digits decides alone
    // Compared rather than added: an exponent near the largest 64-bit value
    // would overflow the sum.
    return negativeExponent ? places > power : power > -places;
}

// `text` as scanDecimal leaves it: an optional sign, digits with "." as the
// point and an optional exponent. The conversions here and in generalText
// never consult the C library's locale, which Qt sets from the environment.
double parseFinite(const std::string &text)
{
    std::string_view magnitude = text;
    const bool negative = magnitude.starts_with('-');
    if (magnitude.starts_with('-') || magnitude.starts_with('+'))
        magnitude.remove_prefix(1);
    double value = 0;
    if (std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value).ec ==
        std::errc::result_out_of_range) {
        if (isTooLarge(magnitude))
            throw Fault(faults::Overflow);
        value = 0;
    }
    return negative ? -value : value;
}

std::string generalText(double value, int digits, double wholeLimit, char decimalSeparator)
{
    char buffer[64];
    std::to_chars_result result;
    if (value == std::nearbyint(value) && std::fabs(value) < wholeLimit)
        result = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value, std::chars_format::fixed, 0);
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, result.ptr);
    for (char &c : text) {
        if (c == '.')
            c = decimalSeparator;
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

} // namespace

std::int16_t toInt16(double x)
{
    return toWhole<std::int16_t>(x);
}

std::int32_t toInt32(double x)
{
    return toWhole<std::int32_t>(x);
}

double leadingNumber(std::string_view text)
{
    std::string s;
    for (char c : text)
        if (!isSkippedBlank(c))
            s += c;
    if (s.size() >= 2 && s[0] == '&')
        return radixNumber(radixText(s));
    std::size_t pos = 0;
    std::string number;
    if (!scanDecimal(s, pos, '.', number))
        return 0;
    return parseFinite(number);
}

double strictNumber(std::string_view text, char decimalSeparator)
{
    const std::string s = trimmed(text, " \t");
    if (s.size() >= 2 && s[0] == '&') {
        const RadixText radix = radixText(s);
        if (!isWholeRadixNumber(radix))
            throw Fault(faults::TypeMismatch);
        return radixNumber(radix);
    }
    std::size_t pos = 0;
    std::string number;
    if (!scanDecimal(s, pos, decimalSeparator, number) || pos != s.size())
        throw Fault(faults::TypeMismatch);
    return parseFinite(number);
}

std::string numberText(double value, char decimalSeparator)
{
    return generalText(value, 15, 1e15, decimalSeparator);
}

std::string singleText(float value, char decimalSeparator)
{
    return generalText(value, 7, 1e7, decimalSeparator);
}

} // namespace tarvik::numbers
