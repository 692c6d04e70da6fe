#include "comma_locale.h"
#include "expect_fault.h"
#include "foundation/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <limits>
#include <string_view>

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

TEST(RoundHalfEven, HugeValuesKeepTheirValueInsteadOfOverflowing)
{
    const double largest = std::numeric_limits<double>::max();
    for (double x : {1e306, -1e306, largest, -largest})
        EXPECT_EQ(roundHalfEven(x, 3), x) << x;
    EXPECT_EQ(numberText(roundHalfEven(1e306, 3)), "1E+306");
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
        {" 6", 6},     {"6x", 6},       {"1 6", 16},      {"abc", 0},
        {"", 0},       {"6.5", 6.5},    {"-3", -3},       {"1e3", 1000},
        {"2D2", 200},  {"1e", 1},       {".5", 0.5},      {"8,5", 8},
        {"&H1F", 31},  {"&HFFFF", -1},  {"&O17", 15},     {"\t7\n", 7},
        {"+4", 4},     {"-", 0},        {"1.2.3", 1.2},   {"st", 0},
        {"1e-400", 0}, {"-2.5e1", -25}, {"0.000e999", 0}, {"1000e-9223372036854775807", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
    for (const char *huge : {"1e400", "-1e400", "100000e304", "1e99999999999999999999", "1e9223372036854775807",
                             "0.001e9223372036854775807"})
        EXPECT_FAULT(leadingNumber(huge), "Overflow") << huge;
}

TEST(LeadingNumber, ANulByteEndsTheNumber)
{
    using namespace std::string_view_literals;
    EXPECT_EQ(leadingNumber("2\0"
                            "2"sv),
              2);
    EXPECT_EQ(leadingNumber("1\0"
                            "1"sv),
              1);
    EXPECT_FAULT(strictNumber("1\0"
                              "1"sv,
                              '.'),
                 "Type mismatch");
}

TEST(StrictNumber, WholeTextMustBeOneNumberInTheLocale)
{
    EXPECT_EQ(strictNumber("8.5", '.'), 8.5);
    EXPECT_EQ(strictNumber(" 16", '.'), 16);
    EXPECT_EQ(strictNumber("8,5", ','), 8.5);
    EXPECT_EQ(strictNumber("-1e2", '.'), -100);
    EXPECT_EQ(strictNumber("&H1F", '.'), 31);
    EXPECT_EQ(strictNumber(" &o17 ", '.'), 15);
    EXPECT_EQ(strictNumber("&17", '.'), 15);
    for (const char *bad : {"", "8a", "a", "8,5", ".", "1 6", "+", "1e", "&H6zz", "&6x", "&Hzz", "&H", "&O8", "&"})
        EXPECT_FAULT(strictNumber(bad, '.'), "Type mismatch") << bad;
    EXPECT_FAULT(strictNumber("8.5", ','), "Type mismatch");
}

// Qt sets the C library's locale from the environment; the conversions must
// not follow it.
TEST(Numbers, IgnoreTheCLibrarysLocale)
{
    const std::string folder = CommaLocale::folder();
    if (folder.empty())
        GTEST_SKIP() << "localedef cannot generate " << CommaLocale::Name << " (is the locales package installed?)";
    ::setenv("LOCPATH", folder.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_NUMERIC, CommaLocale::Name), nullptr);
    const double fraction = leadingNumber("3000.5");
    const double strict = strictNumber("8,5", ',');
    const std::string text = numberText(12.5);
    const std::string exponent = numberText(1.5e-7);
    std::setlocale(LC_NUMERIC, "C");
    ::unsetenv("LOCPATH");
    EXPECT_EQ(fraction, 3000.5);
    EXPECT_EQ(strict, 8.5);
    EXPECT_EQ(text, "12.5");
    EXPECT_EQ(exponent, "1.5E-07");
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
