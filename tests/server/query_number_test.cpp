#include "web/query_number.h"

#include <gtest/gtest.h>

namespace tarvik::server {
namespace {

TEST(QueryNumber, TakesOnlyDigitsUpToTheLimit)
{
    const struct {
        std::string text;
        long long expected;
    } cases[] = {
        {"12", 12},        {"0007", 7},        {"2147483647", 2147483647},
        {"2147483648", 0}, {"99999999999", 0}, {"", 0},
        {"-1", 0},         {"+1", 0},          {" 1", 0},
        {"1x", 0},         {"0", 0},
    };
    for (const auto &query : cases)
        EXPECT_EQ(queryNumber(query.text, 2147483647), query.expected) << query.text;
    EXPECT_EQ(queryNumber("1000001", 1000000), 0);
}

} // namespace
} // namespace tarvik::server
