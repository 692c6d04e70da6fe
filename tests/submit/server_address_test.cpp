#include "submit/server_address.h"

#include <gtest/gtest.h>

using namespace tarvik::submit;

TEST(ServerAddress, ReadsHostAndOptionalPorts)
{
    struct Case {
        const char *text;
        ServerAddress address;
        const char *written;
        const char *web;
    } cases[] = {
        {"results.example.org", {"results.example.org"}, "results.example.org", "http://results.example.org:10280"},
        {" 127.0.0.1 ", {"127.0.0.1"}, "127.0.0.1", "http://127.0.0.1:10280"},
        {"127.0.0.1:4000", {"127.0.0.1", 4000}, "127.0.0.1:4000", "http://127.0.0.1:10280"},
        {"127.0.0.1:4000:4001", {"127.0.0.1", 4000, 4001}, "127.0.0.1:4000:4001", "http://127.0.0.1:4001"},
        {"localhost:10210:4001", {"localhost", 10210, 4001}, "localhost:10210:4001", "http://localhost:4001"},
        {"[::1]:4000", {"::1", 4000}, "[::1]:4000", "http://[::1]:10280"},
        {"[::1]", {"::1"}, "[::1]", "http://[::1]:10280"},
    };
    for (const Case &c : cases) {
        const auto address = parseServerAddress(c.text);
        ASSERT_TRUE(address.has_value()) << c.text;
        EXPECT_EQ(*address, c.address) << c.text;
        EXPECT_EQ(addressText(*address), c.written);
        EXPECT_EQ(webAddress(*address), c.web);
    }
}

TEST(ServerAddress, RefusesWhatIsNoAddress)
{
    for (const char *text : {"", "   ", ":10210", "host:", "host:0", "host:65536", "host:12x", "host:1:2:3", "a b",
                             "http://host", "::1", "[::1", "[]:10"})
        EXPECT_FALSE(parseServerAddress(text).has_value()) << text;
}
