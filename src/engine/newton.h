#pragma once

#include <cmath>

namespace tarvik {

// The square root of one number by Newton's method on f(x) = x*x - n, with a
// fixed schedule of updates rather than a tolerance: the amount of work per
// number is what the benchmark times, so there is no library square root, no
// early exit and no better start value. Whole numbers n >= 4 take 18 updates,
// those below 4 take 19; every whole number up to 1,992,321,894 passes the
// self-check.
//
// Everything is defined here so that a worker's loop over its numbers inlines
// the whole schedule: with the nested Iterate calls flattened into
// straight-line code the processor can overlap the updates of neighbouring
// numbers, which real calls would prevent.
class Newton {
public:
    // A result of Iterate that never settled within the depth bound.
    static constexpr double NonConvergent = -1.0;
    // A root estimate whose square does not round to the number.
    static constexpr double Incorrect = -2.0;

    // The root estimate of n, 0 for 0, or one of the sentinels above.
    [[gnu::always_inline]] double Sqrt(double n) const;

private:
    // One Newton update plus the decision what to do next. `a` is the
    // expected sign of the step (true = non-negative), `b` marks the second
    // phase, `c` asks for this single update only. Depth counts the nesting,
    // 1 for the call from Sqrt; it is a template argument so that the
    // compiler can flatten the recursion.
    template <int Depth = 1>
    [[gnu::always_inline]] static double Iterate(double x, double n, bool a, bool b, bool c);
    static double Fx(double x, double n) { return x * x - n; }
    static double DFx(double x) { return x + x; }

    // Calls nested deeper than this give up with NonConvergent, as a call
    // does when the stack runs out. Numbers >= 0 never nest deeper than four;
    // a number without a root to settle on (infinity, NaN) reaches the bound.
    static constexpr int MaxDepth = 8;
    // The single updates that end the second phase.
    static constexpr int FinalUpdates = 16;
};

inline double Newton::Sqrt(double n) const
{
    if (n == 0)
        return 0;
    const double r = Iterate(n / 2, n, false, false, false);
    // nearbyint rounds ties to even under the default rounding mode.
    if (r > 0 && std::nearbyint(r * r) != n)
        return Incorrect;
    return r;
}

template <int Depth>
inline double Newton::Iterate(double x, double n, bool a, bool b, bool c)
{
    if constexpr (Depth > MaxDepth) {
        return NonConvergent;
    } else {
        const double step = Fx(x, n) / DFx(x);
        const double next = x - step;
        if (c)
            return next;
        const bool nonNegativeStep = step >= 0;
        if (nonNegativeStep == a)
            return Iterate<Depth + 1>(next, n, a, b, false);
        if (!b)
            return Iterate<Depth + 1>(next, n, a, true, false);
        double r = next;
        for (int i = 0; i < FinalUpdates; ++i)
            r = Iterate<Depth + 1>(r, n, false, false, true);
        return r;
    }
}

} // namespace tarvik
