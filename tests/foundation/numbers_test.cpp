#include "expect_fault.h"
#include "foundation/numbers.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::numbers;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(6.5), 6);
    EXPECT_EQ(roundHalfEven(7.5), 8);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(178956970.5), 178956970);
    EXPECT_EQ(roundHalfEven(12.3455, 3), 12.346); // 12345.5 after scaling
    EXPECT_EQ(roundHalfEven(0.0625, 3), 0.062);
}

TEST(WholeNumber, OverflowIsAFault)
{
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_FAULT(toInt16(99999), "Overflow");
    EXPECT_FAULT(toInt16(32767.5), "Overflow");
    EXPECT_FAULT(toInt32(2147483648.0), "Overflow");
}

TEST(LeadingNumber, ReadsTheLongestNumericBeginning)
{
    struct Case {
        const char *text;
        double value;
    } cases[] = {
        {" 6", 6},     {"6x", 6},       {"1 6", 16},       {"abc", 0},      {"", 0},
        {"6.5", 6.5},  {"-3", -3},      {"1e3", 1000},     {"2D2", 200},    {"1e", 1},
        {".5", 0.5},   {"8,5", 8},      {"&H1F", 31},      {"&HFFFF", -1},  {"&O17", 15},
        {"\t7\n", 7},  {"+4", 4},       {"-", 0},          {"1.2.3", 1.2},  {"st", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
    EXPECT_FAULT(leadingNumber("1e400"), "Overflow");
}

TEST(StrictNumber, WholeTextMustBeOneNumberInTheLocale)
{
    EXPECT_EQ(strictNumber("8.5", '.'), 8.5);
    EXPECT_EQ(strictNumber(" 16", '.'), 16);
    EXPECT_EQ(strictNumber("8,5", ','), 8.5);
    EXPECT_EQ(strictNumber("-1e2", '.'), -100);
    for (const char *bad : {"", "8a", "a", "8,5", ".", "1 6", "+", "1e"})
        EXPECT_FAULT(strictNumber(bad, '.'), "Type mismatch") << bad;
    EXPECT_FAULT(strictNumber("8.5", ','), "Type mismatch");
}

TEST(NumberText, WholeDigitsOrFifteenSignificantDigits)
{
    EXPECT_EQ(numberText(33554431), "33554431");
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(12.5), "12.5");
    EXPECT_EQ(numberText(12.5, ','), "12,5");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(1e20), "1E+20");
    EXPECT_EQ(numberText(1.5e-7), "1.5E-07");
    EXPECT_EQ(singleText(0.1f), "0.1");
    EXPECT_EQ(singleText(2.2f, ','), "2,2");
    EXPECT_EQ(std::string(boolText(true)) + boolText(false), "TrueFalse");
}
