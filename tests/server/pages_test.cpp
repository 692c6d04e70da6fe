#include "web/bar_chart.h"
#include "web/html.h"
#include "web/json_text.h"
#include "foundation/html_text.h"
#include "web/pages.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace tarvik::server {
namespace {

StoredResult result(std::int64_t id, const std::string &submitter, double seconds)
{
    StoredResult stored;
    stored.id = id;
    stored.submitter = submitter;
    stored.processor.form = ProcessorRecord::Form::Scan;
    stored.processor.specification = "Intel";
    stored.test = SpeedTest;
    stored.seconds = seconds;
    stored.submittedAt = "2026-12-10 02:30:00";
    return stored;
}

TEST(Pages, EscapeEveryCharacterThatCouldBreakOutOfTextOrAnAttribute)
{
    EXPECT_EQ(htmlEscaped("<a href=\"x\">it's & </a>"), "&lt;a href=&quot;x&quot;&gt;it&#39;s &amp; &lt;/a&gt;");

    StoredResult hostile = result(7, "<script>alert(1)</script>", 20.5);
    hostile.description = "\"><img src=x onerror=alert(1)>";
    hostile.processor.specification = "it's <b>fast</b>";
    for (const std::string &page :
         {pages::score(hostile), pages::leaderboard({{SpeedTest, 1, 25, 1, {hostile}}}, {{hostile}})}) {
        EXPECT_THAT(page, Not(HasSubstr("<script>")));
        EXPECT_THAT(page, Not(HasSubstr("<img")));
        EXPECT_THAT(page, Not(HasSubstr("<b>")));
        EXPECT_THAT(page, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
    }
}

TEST(Pages, LeaderboardPagesKeepTheOtherBoardWhereItWas)
{
    std::vector<StoredResult> entries;
    for (int i = 0; i < 25; ++i)
        entries.push_back(result(i + 1, "s" + std::to_string(i), 10 + i));
    const std::vector<LeaderboardPage> boards = {{SpeedTest, 2, 25, 60, entries}, {StabilityTest, 3, 25, 80, {}}};
    const std::string page = pages::leaderboard(boards, {{entries.front()}, {}});
    EXPECT_THAT(page, HasSubstr("<a href=\"/?page6=1&amp;page11=3\">Previous page</a>"));
    EXPECT_THAT(page, HasSubstr("<span>Page 2 of 3</span>"));
    EXPECT_THAT(page, HasSubstr("<a href=\"/?page6=3&amp;page11=3\">Next page</a>"));
    // Ranks go on from the earlier pages.
    EXPECT_THAT(page, HasSubstr("<td class=\"number\">26</td><td>s0</td>"));
}

TEST(Pages, ChartBarsGrowWithTheTimeAndLabelsStayWholeCharacters)
{
    const std::string longName(47, 'x');
    const std::string chart = barChartSvg({result(1, "a", 10), result(2, longName + "\xC3\xA9", 20)});
    EXPECT_THAT(chart, HasSubstr("width=\"165\""));
    EXPECT_THAT(chart, HasSubstr("width=\"330\""));
    // The second label is cut before the two-byte letter, not inside it.
    EXPECT_THAT(chart, HasSubstr(">" + longName + "...</text>"));
    EXPECT_EQ(barChartSvg({}), "");
}

TEST(Pages, JsonQuotesControlCharactersAndQuotes)
{
    EXPECT_EQ(json::quoted("a\"b\\c\x01\n"), "\"a\\\"b\\\\c\\u0001\\u000a\"");
    EXPECT_THAT(json::result(result(3, "Ann", 20.5)), HasSubstr("\"id\":3,\"submitter\":\"Ann\""));
}

} // namespace
} // namespace tarvik::server
