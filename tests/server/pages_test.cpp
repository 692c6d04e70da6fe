#include "web/bar_chart.h"
#include "web/csv_text.h"
#include "web/display_values.h"
#include "web/list_query.h"
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
    EXPECT_THAT(page, HasSubstr("<td class=\"number\">26</td><td><a href=\"/history?name=s0\">s0</a></td>"));
}

TEST(Pages, TheFastestHasTheLongestBarAndLabelsStayWholeCharacters)
{
    const std::string longName(39, 'x');
    const std::string chart = barChartSvg({result(1, "a", 10), result(2, longName + "\xC3\xA9", 20)});
    // Bars are speed: the one of twice the time is half as long.
    EXPECT_LT(chart.find("width=\"330\""), chart.find("width=\"165\""));
    EXPECT_THAT(chart, HasSubstr("the longest bar is the fastest"));
    // The second label is cut before the two-byte letter, not inside it.
    EXPECT_THAT(chart, HasSubstr(">" + longName + "...</text>"));
    EXPECT_EQ(barChartSvg({}), "");
}

TEST(Pages, HardwareValuesTheMachineDidNotTellAreLeftOut)
{
    const std::vector<std::pair<std::string, bool>> values = {
        {"", false},    {" ", false},          {"0", false},    {"0.000", false}, {"Cl 0-0-0-0", false},
        {"DDR2", true}, {"Cl 5-5-5-15", true}, {"1.325", true}, {"Conroe", true}, {"0.9", true}};
    for (const auto &[value, known] : values)
        EXPECT_EQ(display::isKnown(value), known) << value;

    StoredResult stored = result(4, "Ann", 20.5);
    stored.processor.form = ProcessorRecord::Form::Report;
    stored.processor.clock = "2400";
    stored.processor.vcore = "0";
    stored.processor.fsb = "0";
    stored.processor.memoryTimings = "Cl 0-0-0-0";
    stored.processor.memoryType = "DDR2";
    const std::string page = pages::score(stored);
    for (const char *absent : {"Vcore", "FSB", "Memory timings", "<td>0 V", "<td>0 MHz", "Cl 0", "Mainboard"})
        EXPECT_THAT(page, Not(HasSubstr(absent)));
    EXPECT_THAT(page, HasSubstr("2400 MHz"));
    EXPECT_THAT(page, HasSubstr("DDR2"));
    EXPECT_THAT(page, HasSubstr("10 Dec 2026, 02:30 UTC"));
    EXPECT_THAT(json::result(stored), HasSubstr("\"submittedAt\":\"2026-12-10T02:30:00Z\""));
}

TEST(Pages, CsvFieldsAreQuotedAndNeverStartAFormula)
{
    const std::vector<std::pair<std::string, std::string>> fields = {
        {"Ann", "\"Ann\""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line\r\nbreak", "\"line\r\nbreak\""},
        {"=1+2", "\"'=1+2\""},
        {"+1", "\"'+1\""},
        {"-1", "\"'-1\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\t=1", "\"'\t=1\""},
        {"a=1", "\"a=1\""},
        {"", "\"\""},
    };
    for (const auto &[text, quoted] : fields)
        EXPECT_EQ(csv::field(text), quoted) << text;
}

http::Request requestFor(const std::string &query)
{
    http::RequestReader reader(8192, 0);
    reader.feed("GET /?" + query + " HTTP/1.1\r\nHost: test\r\n\r\n");
    return std::get<http::Request>(reader.next());
}

TEST(Pages, AListQueryComesBackWholeFromTheAddressItsLinksGive)
{
    using Sort = ListQuery::Sort;
    const std::vector<ListQuery> queries = {
        {},
        {"Ryzen 9 & <Co> 100%", 8, "2026-01-01", "2026-12-31", Sort::Slowest},
        {"\xC3\xA9+ a/b?c=d#e", 0, "", "2024-02-29", Sort::Newest},
        {"", 256, "2026-12-10", "", Sort::Oldest},
    };
    for (const ListQuery &query : queries) {
        const auto read = readListQuery(requestFor(filterPairs(query)));
        ASSERT_TRUE(std::holds_alternative<ListQuery>(read)) << filterPairs(query);
        EXPECT_EQ(std::get<ListQuery>(read), query) << filterPairs(query);
    }
    EXPECT_EQ(filterPairs({}), "");
    EXPECT_TRUE(std::holds_alternative<QueryRefusal>(readListQuery(requestFor("to=2025-02-29"))));
}

TEST(Pages, JsonQuotesControlCharactersAndQuotes)
{
    EXPECT_EQ(json::quoted("a\"b\\c\x01\n"), "\"a\\\"b\\\\c\\u0001\\u000a\"");
    EXPECT_THAT(json::result(result(3, "Ann", 20.5)), HasSubstr("\"id\":3,\"submitter\":\"Ann\""));
}

} // namespace
} // namespace tarvik::server
