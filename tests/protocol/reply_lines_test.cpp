#include "protocol/reply_lines.h"

#include <gtest/gtest.h>

#include <optional>

using namespace tarvik;

TEST(ResultId, EachTestHasItsOwnIdAndOnlyLineStartsCount)
{
    const std::string reply = "Thank you.\r\n11 - result id = 901\r\n1 - result id = 900\r\n"
                              "6 - result id = 0\r\n"
                              "3 - refused: bad checksum\r\n"
                              "See 16 - result id = 5\r\n"
                              "9 - result id = 99999999999\r\n"
                              "11 - result id = 902\r\n"
                              "2 - result id = 12";
    const struct {
        int test;
        std::optional<std::int32_t> id;
        const char *why;
    } cases[] = {
        {1, 900, "not the one inside 11's line"},
        {11, 901, "the first line of the test"},
        {2, 12, "the last line may lack its end"},
        {6, std::nullopt, "0 is no id"},
        {3, std::nullopt, "refused"},
        {16, std::nullopt, "not at a line start"},
        {9, std::nullopt, "beyond 32 bits"},
        {4, std::nullopt, "not named"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(replies::resultId(reply, c.test), c.id) << c.test << ": " << c.why;
}

TEST(ResultId, TheFirstLineOfTheReplyCounts)
{
    EXPECT_EQ(replies::resultId("11 - result id = 4\r\n", 11), 4);
    EXPECT_EQ(replies::resultId("11 - result id = 4\r\n", 1), std::nullopt);
}

TEST(ResultId, ReadsTheLinesTheServerWrites)
{
    const std::string reply =
        replies::resultIdLine(6, 2147483647) + replies::refusedTestLine("1", "checksum") + replies::resultIdLine(16, 1);
    EXPECT_EQ(reply, "6 - result id = 2147483647\r\n1 - refused: checksum\r\n16 - result id = 1\r\n");
    EXPECT_EQ(replies::resultId(reply, 6), 2147483647);
    EXPECT_EQ(replies::resultId(reply, 16), 1);
    EXPECT_EQ(replies::resultId(reply, 1), std::nullopt);
}

TEST(TextBetween, FirstStartToTheNextEnd)
{
    EXPECT_EQ(replies::textBetween("a=1;b=2;", "b=", ";"), "2");
    EXPECT_EQ(replies::textBetween("a=1;a=2;", "a=", ";"), "1");
    EXPECT_EQ(replies::textBetween("a=1", "a=", ";"), "1"); // no end: the rest
    EXPECT_EQ(replies::textBetween("a=1;", "c=", ";"), "");
}
