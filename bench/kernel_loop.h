#pragma once

// The bare kernel loop the benchmarks measure the program against: one
// Newton::Sqrt per number of the 32M test and nothing else.

#include "engine/newton.h"

#include <cstdint>

namespace tarvik::bench {

constexpr std::uint32_t RangeCount = 33554432; // the numbers 0 to 33,554,431

[[gnu::always_inline]] inline double kernelSqrt(double n)
{
    return Newton().Sqrt(n);
}

// One call per number of the range. The sum is printed, so no call can be
// dropped; noipa keeps the compiler from seeing that the function is pure and
// merging or moving the timed calls. Clang has no noipa and gets noinline
// only: the figures come from the g++ build that ./tarvik.sh bench makes.
template <double (*kernel)(double)>
#if __has_cpp_attribute(gnu::noipa)
[[gnu::noipa]]
#else
[[gnu::noinline]]
#endif
double
sumOverRange()
{
    double sum = 0;
    for (std::uint32_t i = 0; i < RangeCount; ++i)
        sum += kernel(static_cast<double>(i));
    return sum;
}

} // namespace tarvik::bench
