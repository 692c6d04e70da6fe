// Where a best time would rank among a result server's times.
#include "submit/standing.h"

#include <gtest/gtest.h>

using namespace tarvik::submit;

TEST(Standing, RanksAmongTheServersTimesToTheMillisecond)
{
    struct Case {
        const char *name;
        double mine;
        std::vector<double> theirs;
        std::optional<Standing> expected;
    };
    const Case cases[] = {
        {"no times", 3.2, {}, std::nullopt},
        {"fastest joins the field", 1.0, {2.0, 3.0}, Standing{1, 3}},
        {"slowest joins the field", 4.0, {2.0, 3.0}, Standing{3, 3}},
        {"between, order of the list does not matter", 2.5, {3.0, 1.0, 2.0}, Standing{3, 4}},
        {"a time the server holds is not counted twice", 2.0, {1.0, 2.0, 3.0}, Standing{2, 3}},
        {"equal to the millisecond is the same time", 2.0004, {1.0, 1.9996, 3.0}, Standing{2, 3}},
        {"a millisecond apart is another time", 2.0, {2.001, 1.999}, Standing{2, 3}},
        {"equal times ahead each count", 5.0, {1.0, 1.0, 1.0}, Standing{4, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(standingAmong(c.mine, c.theirs), c.expected);
    }
}

TEST(Standing, OrdinalsTakeTheEnglishSuffixes)
{
    const std::pair<int, const char *> cases[] = {{1, "1st"},     {2, "2nd"},     {3, "3rd"},     {4, "4th"},
                                                  {11, "11th"},   {12, "12th"},   {13, "13th"},   {21, "21st"},
                                                  {22, "22nd"},   {23, "23rd"},   {100, "100th"}, {101, "101st"},
                                                  {111, "111th"}, {112, "112th"}, {1013, "1013th"}};
    for (const auto &[number, text] : cases)
        EXPECT_EQ(ordinal(number), text) << number;
}

TEST(Standing, LineSaysTheStandingOrWhyThereIsNone)
{
    const std::string server = "http://results.example:10280";
    struct Case {
        std::optional<double> best;
        std::vector<double> theirs;
        char separator;
        std::string expected;
    };
    const Case cases[] = {
        {3.2514, {1.0, 2.0, 3.0, 4.0, 5.0}, '.',
         "32M: 3.251 s would rank 4th of 6 results of this processor on " + server},
        {3.2514, {1.0}, ',', "32M: 3,251 s would rank 2nd of 2 results of this processor on " + server},
        {3.2514, {}, '.', "32M: 3.251 s; " + server + " has no results of this processor for this test."},
        {std::nullopt, {1.0}, '.', "32M: no run of this test in the history to compare."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(standingLine("32M", c.best, c.theirs, server, c.separator), c.expected);
}
