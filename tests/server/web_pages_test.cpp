#include "browser.h"
#include "server_process.h"
#include "submissions.h"

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

} // namespace
} // namespace tarvik::server::testing
