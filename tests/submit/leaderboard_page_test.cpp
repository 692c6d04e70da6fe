// Reading the times of one processor from a page of the leaderboard's JSON.
#include "submit/leaderboard_page.h"

#include <gtest/gtest.h>

using namespace tarvik::submit;

namespace {

using Boards = std::map<std::int16_t, BoardPage>;

// A page as the server writes it, cut to the members the reader uses.
const QByteArray Page = R"({"boards":[
 {"test":6,"caption":"32M","page":1,"pageCount":3,"total":61,"results":[
  {"id":4,"processor":{"form":"scan","specification":"AMD EPYC"},"threads":2,"seconds":1.5},
  {"id":7,"processor":{"form":"scan","specification":"AMD EPYC 7B13"},"threads":2,"seconds":1.6},
  {"id":2,"processor":{"form":"scan","specification":"amd epyc"},"threads":2,"seconds":1.7},
  {"id":9,"processor":{"form":"scan","specification":"AMD EPYC"},"threads":8,"seconds":2.25}]},
 {"test":11,"caption":"1024M","page":1,"pageCount":1,"total":0,"results":[]}]}
)";

} // namespace

TEST(LeaderboardPage, KeepsTheTimesOfExactlyThisProcessorPerBoard)
{
    struct Case {
        const char *name;
        QByteArray json;
        std::string processor;
        std::optional<Boards> expected;
    };
    const Case cases[] = {
        {"longer names and other cases are other processors", Page, "AMD EPYC",
         Boards{{6, {3, {1.5, 2.25}}}, {11, {1, {}}}}},
        {"a processor of the page's longer names", Page, "AMD EPYC 7B13", Boards{{6, {3, {1.6}}}, {11, {1, {}}}}},
        {"no boards", R"({"boards":[]})", "AMD EPYC", Boards{}},
        {"not JSON", "<html>Not found</html>", "AMD EPYC", std::nullopt},
        {"JSON of something else", R"({"results":[]})", "AMD EPYC", std::nullopt},
        {"a result without seconds is left out",
         R"({"boards":[{"test":6,"pageCount":1,"results":[{"processor":{"specification":"X"},"seconds":"1.5"}]}]})",
         "X", Boards{{6, {1, {}}}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readLeaderboardPage(c.json, c.processor), c.expected);
    }
}
