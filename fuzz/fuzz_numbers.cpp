// The number conversions: the lenient leading number, the strict conversion
// in both decimal separators, rounding and the number texts.

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <string_view>

using namespace tarvik;
using namespace tarvik::numbers;

namespace {

// The number text read back strictly gives the value to its 15 digits.
void textReadsBack(double value, char decimalSeparator)
{
    const double back = strictNumber(numberText(value, decimalSeparator), decimalSeparator);
    require(back == value || std::fabs(back - value) <= std::fabs(value) * 1e-14, "a number text reads back");
}

void checkValue(double value)
{
    require(std::isfinite(value), "a conversion gives a finite number or a fault");
    for (int decimals = 0; decimals <= 3; ++decimals)
        require(std::isfinite(roundHalfEven(value, decimals)), "rounding never overflows");
    textReadsBack(value, '.');
    textReadsBack(value, ',');
    try {
        toInt16(value);
        toInt32(value);
    } catch (const Fault &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    try {
        checkValue(leadingNumber(text));
    } catch (const Fault &) {
    }
    for (char decimalSeparator : {'.', ','}) {
        try {
            checkValue(strictNumber(text, decimalSeparator));
            require(text.find('\0') == std::string_view::npos, "a NUL byte is never part of a number");
        } catch (const Fault &) {
        }
    }
    return 0;
}
