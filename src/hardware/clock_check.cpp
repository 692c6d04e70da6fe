#include "hardware/clock_check.h"

#include "foundation/numbers.h"

namespace tarvik {

std::int32_t ClockCheck::check(std::int32_t reported, float measured, char decimalSeparator, const LineSink &print)
{
    // Five times a single-precision value is exact in double, so the product
    // is never narrowed back before the comparison.
    const double measuredMHz = measured;
    const bool rejected = static_cast<double>(reported) >= 5.0 * measuredMHz || measuredMHz <= 300.0;
    if (!rejected)
        return numbers::toInt32(measuredMHz);

    if (measured != NoMeasurement && !m_warned)
        print("rdtsc returned an invalid clock rate (" + numbers::singleText(measured, decimalSeparator) +
              ") - using system clock instead");
    m_warned = true;
    return reported;
}

} // namespace tarvik
