#include "engine/run_plan.h"

#include "foundation/numbers.h"

#include <cmath>

namespace tarvik {

double rangeEnd(std::int16_t size, bool quickMode)
{
    const double factor = quickMode ? 1.0 : 1024.0;
    return factor * std::ldexp(1.0, size + 9) - 1;
}

double announcedCount(std::int16_t size)
{
    return std::ldexp(1.0, size + 9) * 1024 - 1;
}

WorkerRange workerRange(double N, std::int16_t threads, std::int16_t i)
{
    const double per = N / threads;
    return {numbers::toInt32((i - 1) * per), numbers::toInt32(i * per)};
}

} // namespace tarvik
