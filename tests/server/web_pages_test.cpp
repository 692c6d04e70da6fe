#include "browser.h"
#include "server_process.h"
#include "submissions.h"
#include "tcp_client.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gmock/gmock.h>

#include <regex>

using ::testing::HasSubstr;
using ::testing::Not;

namespace tarvik::server::testing {
namespace {

std::string percentEncoded(const std::string &text)
{
    return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

// What the page says about one result, as a browser shows it.
TEST(WebPages, ShowWhatWasSubmittedAsTextInABrowser)
{
    QTemporaryDir folder;
    ServerProcess server(folder.filePath(QStringLiteral("results.sqlite")));
    server.start();
    const std::string description = "<script>document.title='owned'</script> it's \"quoted\"";
    const std::string message =
        submitMessage("Zo\xC3\xAB <b>", description, reportMachine(), 4, {{6, 20.5}, {11, 600.25}});

    const std::string submitted = browse(server.webAddress() + "/submit.cgi?SendStr=" + percentEncoded(message));
    std::smatch link;
    ASSERT_TRUE(std::regex_search(submitted, link, std::regex("href=\"/score.cgi\\?id=(\\d+)\">\\1</a>"))) << submitted;
    EXPECT_THAT(submitted, HasSubstr("32M (speed test) in 20.5 s: result id"));
    EXPECT_THAT(submitted, HasSubstr("1024M (stability test) in 600.25 s: result id"));

    const std::string score = browse(server.webAddress() + "/score.cgi?id=" + link[1].str());
    EXPECT_THAT(score, HasSubstr("&lt;script&gt;document.title='owned'&lt;/script&gt; it's \"quoted\""));
    EXPECT_THAT(score, Not(HasSubstr("<script")));
    EXPECT_THAT(score, Not(HasSubstr("owned</title>")));
    for (const char *shown : {"Zo\xC3\xAB &lt;b&gt;", "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz", "2400.5 MHz", "2048 MB",
                              "DDR2", "ASUSTeK Computer INC.", "P5B", "20.5 s", "(verified)"})
        EXPECT_THAT(score, HasSubstr(shown));

    const std::string leaderboard = browse(server.webAddress() + "/");
    EXPECT_THAT(leaderboard, HasSubstr("32M (speed test)"));
    EXPECT_THAT(leaderboard, HasSubstr("1024M (stability test)"));
    EXPECT_THAT(leaderboard, HasSubstr("<svg"));
    EXPECT_THAT(leaderboard, HasSubstr("<rect"));
    EXPECT_THAT(leaderboard, HasSubstr("Zo\xC3\xAB &lt;b&gt;"));
    EXPECT_THAT(leaderboard, Not(HasSubstr("<b>")));
}

// Every page fits a phone 400 CSS pixels wide without scrolling sideways
// (a wide table scrolls in its own box), in the light and the dark scheme.
TEST(WebPages, NoPageScrollsSidewaysOnAPhoneInEitherScheme)
{
    QTemporaryDir folder;
    ServerProcess server(folder.filePath(QStringLiteral("results.sqlite")));
    server.start();
    const std::string longName = "Someone-with-a-very-long-name-that-does-not-break-anywhere-at-all";
    std::vector<std::string> speedIds;
    for (const auto &[name, threads, seconds] : {std::tuple{longName, 4, 20.5}, {std::string("Bo"), 2, 31.25}}) {
        const auto ids =
            resultIds(testing::exchange(server.tcpPort(), submitMessage(name, "a description", reportMachine(), threads,
                                                                        {{6, seconds}, {11, seconds * 30}})));
        ASSERT_EQ(ids.size(), 2u);
        speedIds.push_back(std::to_string(ids.at(6)));
    }
    const std::string &id = speedIds.back();
    std::smatch processorLink;
    const std::string board = httpGet(server.httpPort(), "/");
    ASSERT_TRUE(std::regex_search(board, processorLink, std::regex("href=\"(/processor\\?name=[^\"]+)\"")));
    const std::vector<std::string> pages = {"/",
                                            "/?processor=core&threads=4&sort=newest",
                                            "/score.cgi?id=" + id,
                                            "/history?name=" + percentEncoded(longName),
                                            "/history?name=Bo&machine=" + id,
                                            "/rules",
                                            "/?threads=0",
                                            processorLink[1].str(),
                                            "/compare?ids=" + speedIds.front() + "," + id};
    for (const std::string &page : pages)
        for (bool dark : {false, true}) {
            const Layout layout = layoutOf(server.webAddress() + page, 400, dark);
            EXPECT_EQ(layout.innerWidth, 400) << page;
            EXPECT_LE(layout.scrollWidth, layout.innerWidth) << page << (dark ? " dark" : " light");
            EXPECT_EQ(layout.dark, dark) << page;
            EXPECT_EQ(layout.background, dark ? "rgb(22, 24, 28)" : "rgb(255, 255, 255)") << page;
        }
}

} // namespace
} // namespace tarvik::server::testing
