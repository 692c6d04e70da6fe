#include "protocol/checksum.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"

#include <cmath>
#include <cstdio>

namespace tarvik {

namespace {

double squareRoot(double x)
{
    if (x < 0)
        throw Fault(faults::InvalidProcedureCall);
    return std::sqrt(x);
}

double clockNumber(const std::string &cpuclock, char decimalSeparator)
{
    if (decimalSeparator == '.')
        return numbers::strictNumber(cpuclock, '.');
    try {
        return numbers::strictNumber(cpuclock, decimalSeparator);
    } catch (const Fault &) {
        return numbers::strictNumber(cpuclock, '.');
    }
}

// Negative values as their 32-bit two's complement.
std::string upperHex(std::int32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%X", static_cast<std::uint32_t>(value));
    return text;
}

} // namespace

std::string csum(std::int16_t test, double score, const std::string &cpuclock, const std::string &cpuname,
                 char decimalSeparator)
{
    const double q = std::atan(1.0);
    if (cpuname.empty())
        throw Fault(faults::InvalidProcedureCall);
    // The first byte's code, as in a single-byte code page.
    const double a = static_cast<unsigned char>(cpuname.front());
    const double c = numbers::toInt32(clockNumber(cpuclock, decimalSeparator));

    // Left to right, each product rounded to double; the build forbids contraction.
    const double v = squareRoot(test) * score * q * a * squareRoot(c) * 2;

    const std::int32_t n = numbers::toInt32(v);
    const double f = (v - n) * 256 * 256 * 256 * 256;
    return upperHex(numbers::toInt32(f));
}

} // namespace tarvik
