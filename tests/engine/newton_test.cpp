#include "engine/newton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tarvik;

namespace {

struct KnownRoot {
    double n;
    double root;
};

// Exact results of the fixed schedule; any change in the order or rounding of
// the arithmetic (a fused multiply-add, a different start value, one update
// more or less) moves at least one of them.
const KnownRoot knownRoots[] = {
    {0, 0},
    {1, 1},
    {2, 1.4142135623730951},
    {3, 1.7320508075688774}, // one unit in the last place above the true root
    {4, 2},
    {10, 3.162277660168379},
    {1048576, 1024},
    {33554431, 5792.618665163451},
    {33554432, 5792.618751480197},
    {1073741823, 32767.99998474204},
    {1073741824, 32768.00000000083},
    {1992321894, 44635.43317253681},
    {1992321895, Newton::Incorrect},
    {1992322082, 44635.43527848698},
    {1992322083, Newton::Incorrect},
    {1992322168, 44635.43624184713},
    {1992322169, Newton::Incorrect},
};

bool passesSelfCheck(double n, double root)
{
    return n == 0 ? root == 0 : root > 0 && std::nearbyint(root * root) == n;
}

} // namespace

TEST(Newton, GivesTheExactResultsOfItsSchedule)
{
    const Newton newton;
    for (const KnownRoot &known : knownRoots)
        EXPECT_EQ(newton.Sqrt(known.n), known.root) << "n = " << std::llround(known.n);
}

TEST(Newton, EverySmallWholeNumberPassesItsSelfCheck)
{
    const Newton newton;
    for (int n = 0; n <= 20000; ++n) {
        const double root = newton.Sqrt(n);
        ASSERT_TRUE(passesSelfCheck(n, root)) << "n = " << n << ", root = " << root;
    }
}

TEST(Newton, LargeWholeNumbersBelowTheLimitPassTheirSelfCheck)
{
    const Newton newton;
    // A stride that is not a power of two visits all residues; the last
    // samples lie just below the first number that fails.
    for (double n = 20001; n <= 1992321894; n += 7919 * 131)
        ASSERT_TRUE(passesSelfCheck(n, newton.Sqrt(n))) << "n = " << std::llround(n);
    for (double n = 1992321894 - 1000; n <= 1992321894; ++n)
        ASSERT_TRUE(passesSelfCheck(n, newton.Sqrt(n))) << "n = " << std::llround(n);
}

TEST(Newton, ANumberWithoutARootToSettleOnIsNonConvergent)
{
    // The steps never turn non-negative, so the nesting runs into its bound.
    const Newton newton;
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(newton.Sqrt(std::numeric_limits<double>::quiet_NaN()), Newton::NonConvergent);
    EXPECT_EQ(newton.Sqrt(infinity), Newton::NonConvergent);
    EXPECT_EQ(newton.Sqrt(-infinity), Newton::NonConvergent);
}
