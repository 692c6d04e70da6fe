#include "foundation/numbers.h"

#include "foundation/blanks.h"
#include "foundation/fault.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tarvik::numbers {

double roundHalfEven(double x)
{
    return std::nearbyint(x);
}

double roundHalfEven(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(x * scale) / scale;
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

// "&H1F" and "&O17": four digits or fewer read as a 16-bit value, more as a
// 32-bit one, so "&HFFFF" is -1 as in the classic rule.
double radixNumber(const std::string &digits, int radix)
{
    unsigned long long value = 0;
    std::size_t used = 0;
    for (char c : digits) {
        const int d = std::isxdigit(static_cast<unsigned char>(c))
                          ? (isDigit(c) ? c - '0' : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10)
                          : radix;
        if (d >= radix)
            break;
        value = value * radix + d;
        if (value > 0xFFFFFFFFull)
            throw Fault(faults::Overflow);
        ++used;
    }
    if (value <= 0xFFFF && used <= (radix == 16 ? 4u : 6u))
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Reads sign, digits, point, digits and exponent from `s` at `pos`, copying
// what it takes into `out` (with '.' as the point). Returns whether any
// digit of the mantissa was read.
bool scanDecimal(const std::string &s, std::size_t &pos, char point, std::string &out)
{
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        out += s[pos++];
    bool digits = false;
    while (pos < s.size() && isDigit(s[pos])) {
        out += s[pos++];
        digits = true;
    }
    if (pos < s.size() && s[pos] == point) {
        out += '.';
        ++pos;
        while (pos < s.size() && isDigit(s[pos])) {
            out += s[pos++];
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (pos < s.size() && std::strchr("EeDd", s[pos])) {
        std::size_t p = pos + 1;
        std::string exponent = "E";
        if (p < s.size() && (s[p] == '+' || s[p] == '-'))
            exponent += s[p++];
        bool expDigits = false;
        while (p < s.size() && isDigit(s[p])) {
            exponent += s[p++];
            expDigits = true;
        }
        // A bare exponent letter is not part of the number.
        if (expDigits) {
            out += exponent;
            pos = p;
        }
    }
    return true;
}

double parseFinite(const std::string &text)
{
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value))
        throw Fault(faults::Overflow);
    return value;
}

std::string generalText(double value, int digits, double wholeLimit, char decimalSeparator)
{
    char buffer[64];
    if (value == std::nearbyint(value) && std::fabs(value) < wholeLimit)
        std::snprintf(buffer, sizeof buffer, "%.0f", value == 0 ? 0.0 : value);
    else
        std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    std::string text = buffer;
    for (char &c : text)
        if (c == '.')
            c = decimalSeparator;
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
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H')
            return radixNumber(s.substr(2), 16);
        if (kind == 'O')
            return radixNumber(s.substr(2), 8);
        return radixNumber(s.substr(1), 8);
    }
    std::size_t pos = 0;
    std::string number;
    if (!scanDecimal(s, pos, '.', number))
        return 0;
    return parseFinite(number);
}

double strictNumber(std::string_view text, char decimalSeparator)
{
    const std::string s = trimmed(text, " \t");
    if (s.size() >= 2 && s[0] == '&')
        return leadingNumber(s);
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
