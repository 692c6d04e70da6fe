#include "expect_fault.h"
#include "protocol/checksum.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvik;

TEST(Checksum, WorkedValues)
{
    struct Case {
        std::int16_t test;
        double score;
        const char *clock;
        const char *name;
        const char *checksum;
    } cases[] = {
        {6, 20.5, "3000", "Intel(R) Core(TM)2 Duo", "EAE7E92"}, // a remainder under 1/16: 7 digits
        {11, 600.25, "2400", "AMD Athlon(tm) 64", "F27EC6C8"},  // negative: two's complement
        {1, 1.0, "1", "A", "1A0D0655"},
        {0, 20.5, "3000", "I", "0"},
        {6, 20.5, " 3000 ", "I", "EAE7E92"}, // blanks around the clock are allowed
        // v = 3.5 rounds up to 4, so the remainder is -0.5: the smallest 32-bit value.
        {1, 0.03427952620440823, "1", "A", "80000000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(csum(c.test, c.score, c.clock, c.name, '.'), c.checksum) << c.name << " " << c.score;
}

TEST(Checksum, OnlyTheFirstByteOfTheNameCounts)
{
    EXPECT_EQ(csum(6, 20.5, "3000", "I", '.'), csum(6, 20.5, "3000", "Intel anything", '.'));
    EXPECT_NE(csum(6, 20.5, "3000", "I", '.'), csum(6, 20.5, "3000", "i", '.'));
    // A byte above 0x7F counts as its unsigned code.
    EXPECT_NE(csum(6, 20.5, "3000", "\xC3\x89", '.'), csum(6, 20.5, "3000", "\x43", '.'));
}

TEST(Checksum, ClockIsRoundedHalfToEvenAndReadInTheLocale)
{
    const std::string at2400 = csum(11, 600.25, "2400", "A", '.');
    EXPECT_EQ(csum(11, 600.25, "2400.5", "A", '.'), at2400);
    EXPECT_NE(csum(11, 600.25, "2401.5", "A", '.'), at2400); // 2402
    EXPECT_EQ(csum(11, 600.25, "2400,5", "A", ','), at2400);
    // The reader turns the clock's comma into a point; a comma locale still
    // reads the point as the decimal point, so the file keeps its checksum.
    EXPECT_EQ(csum(11, 600.25, "2400.5", "A", ','), at2400);
    EXPECT_FAULT(csum(11, 600.25, "2400,5", "A", '.'), "Type mismatch");
}

TEST(Checksum, FaultsOfItsSteps)
{
    EXPECT_FAULT(csum(6, 20.5, "3000", "", '.'), "Invalid procedure call or argument");
    EXPECT_FAULT(csum(6, 20.5, "", "I", '.'), "Type mismatch");
    EXPECT_FAULT(csum(6, 20.5, "3 GHz", "I", '.'), "Type mismatch");
    EXPECT_FAULT(csum(6, 20.5, "2147483648", "I", '.'), "Overflow");
    EXPECT_FAULT(csum(6, 20.5, "-1", "I", '.'), "Invalid procedure call or argument");
    EXPECT_FAULT(csum(-5, 20.5, "3000", "I", '.'), "Invalid procedure call or argument");
    EXPECT_FAULT(csum(11, 1e9, "3000", "I", '.'), "Overflow");          // v beyond 32 bits
    EXPECT_FAULT(csum(11, std::nan(""), "3000", "I", '.'), "Overflow"); // no whole number at all
    // v = 2.5 rounds down to 2, so the remainder is +0.5: 2^31 does not fit.
    EXPECT_FAULT(csum(1, 0.02448537586029159, "1", "A", '.'), "Overflow");
}
