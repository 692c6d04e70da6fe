// Cost of one Newton::Sqrt over the numbers of the 32M test, beside a
// hand-flattened loop of the same arithmetic. The kernel's nested Iterate
// calls must flatten into straight-line code, so the two should cost the same;
// kernel_over_flat says how far apart they are.

#include "kernel_loop.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

using namespace tarvik;
using namespace tarvik::bench;

namespace {

constexpr int Repetitions = 5;

// The schedule of Newton::Sqrt for whole numbers, written as one plain loop:
// 18 updates from n/2, one more below 4, then the self-check.
[[gnu::always_inline]] inline double flattenedSqrt(double n)
{
    if (n == 0)
        return 0;
    const int updates = n < 4 ? 19 : 18;
    double x = n / 2;
    for (int i = 0; i < updates; ++i)
        x = x - (x * x - n) / (x + x);
    if (x > 0 && std::nearbyint(x * x) != n)
        return Newton::Incorrect;
    return x;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The first number of the range on which the two disagree, or RangeCount.
std::uint32_t firstDifference()
{
    for (std::uint32_t i = 0; i < RangeCount; ++i) {
        const double n = i;
        if (!sameBits(kernelSqrt(n), flattenedSqrt(n)))
            return i;
    }
    return RangeCount;
}

struct Timing {
    double bestNanosecondsPerSqrt = INFINITY;
    double checksum = 0;
};

template <double (*kernel)(double)>
void timeOnce(Timing &timing)
{
    const auto start = std::chrono::steady_clock::now();
    timing.checksum = sumOverRange<kernel>();
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    timing.bestNanosecondsPerSqrt = std::min(timing.bestNanosecondsPerSqrt, elapsed.count() / RangeCount);
}

} // namespace

int main()
{
    const std::uint32_t difference = firstDifference();
    if (difference != RangeCount) {
        std::fprintf(stderr, "kernel and flattened loop differ at n = %u\n", difference);
        return 1;
    }

    // Alternating the two spreads slow phases of a noisy machine over both;
    // the best of the repetitions is the least disturbed.
    Timing kernel;
    Timing flat;
    for (int i = 0; i < Repetitions; ++i) {
        timeOnce<kernelSqrt>(kernel);
        timeOnce<flattenedSqrt>(flat);
    }

    std::printf("kernel_ns_per_sqrt: %.3f ns\n", kernel.bestNanosecondsPerSqrt);
    std::printf("flat_ns_per_sqrt: %.3f ns\n", flat.bestNanosecondsPerSqrt);
    std::printf("kernel_over_flat: %.3f ratio\n", kernel.bestNanosecondsPerSqrt / flat.bestNanosecondsPerSqrt);
    std::printf("kernel_checksum: %.17g sum\n", kernel.checksum);
    return 0;
}
