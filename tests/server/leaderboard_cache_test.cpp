#include "server_process.h"
#include "submissions.h"
#include "tcp_client.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gmock/gmock.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace tarvik::server::testing {
namespace {

std::string bodyOf(const std::string &response)
{
    const std::size_t end = response.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : response.substr(end + 4);
}

// Pages kept far longer than any test runs: a page that is up to date came
// from a render after the change, never from running out of time.
class LeaderboardCache : public ::testing::Test {
protected:
    void SetUp() override { m_server.start(); }

    // A submission of one test 6 time; every other one through the browser.
    std::string submit(const std::string &submitter, double seconds, bool browser)
    {
        const std::string message = submitMessage(submitter, "", reportMachine(), 2, {{6, seconds}});
        if (!browser)
            return exchange(m_server.tcpPort(), message);
        const std::string query = QUrl::toPercentEncoding(QString::fromStdString(message)).toStdString();
        return httpGet(m_server.httpPort(), "/submit.cgi?SendStr=" + query);
    }

    QTemporaryDir m_folder;
    ServerProcess m_server{m_folder.filePath(QStringLiteral("results.sqlite")),
                           {QStringLiteral("--page-cache-ms"), QStringLiteral("600000")}};
};

TEST_F(LeaderboardCache, ANewResultIsOnTheBoardWhenItsSubmissionIsAnswered)
{
    const int port = m_server.httpPort();
    for (int round = 0; round < 4; ++round) {
        // HEAD fills the page GET is answered from.
        EXPECT_THAT(httpExchange(port, "HEAD", "/"), StartsWith("HTTP/1.1 200 OK\r\n"));
        httpGet(port, "/api/results");
        const std::string submitter = "Runner" + std::to_string(round);
        const std::string answer = submit(submitter, 20.0 + round, round % 2 == 1);
        ASSERT_THAT(answer, HasSubstr("accepted")) << answer;
        for (const char *target : {"/", "/api/results"})
            EXPECT_THAT(bodyOf(httpGet(port, target)), HasSubstr(submitter)) << target << " after " << submitter;
    }
}

// Visitors at once, most of them while their page is being rendered for
// someone else: each gets the page it asked for, as a page it may not keep.
TEST_F(LeaderboardCache, VisitorsAtOnceEachGetThePageTheyAskedFor)
{
    const std::vector<std::string> targets = {"/", "/?page6=2", "/api/results", "/api/results?page6=2",
                                              "/api/results?page11=3"};
    constexpr int Visitors = 8;
    constexpr int VisitsEach = 10;
    for (int round = 0; round < 2; ++round) {
        const std::string submitter = "Burst" + std::to_string(round);
        ASSERT_THAT(submit(submitter, 30.0 + round, round == 1), HasSubstr("accepted"));
        std::mutex mutex;
        std::map<std::string, std::set<std::string>> seen;
        std::vector<std::thread> visitors;
        for (int visitor = 0; visitor < Visitors; ++visitor)
            visitors.emplace_back([&, visitor] {
                for (int visit = 0; visit < VisitsEach; ++visit) {
                    const std::string &target = targets[(visitor + visit) % targets.size()];
                    const std::string response = httpGet(m_server.httpPort(), target);
                    std::lock_guard lock(mutex);
                    seen[target].insert(response);
                }
            });
        for (std::thread &visitor : visitors)
            visitor.join();

        std::set<std::string> pages;
        for (const std::string &target : targets) {
            ASSERT_EQ(seen[target].size(), 1u) << target << " was answered differently within one round";
            const std::string &response = *seen[target].begin();
            EXPECT_THAT(response, StartsWith("HTTP/1.1 200 OK\r\n")) << target;
            EXPECT_THAT(response, HasSubstr("\r\nCache-Control: no-store\r\n")) << target;
            pages.insert(response);
        }
        EXPECT_EQ(pages.size(), targets.size()) << "two page queries were answered with the same page";
        EXPECT_THAT(*seen["/"].begin(), HasSubstr(submitter));
        EXPECT_THAT(*seen["/api/results"].begin(), HasSubstr(submitter));
    }
}

} // namespace
} // namespace tarvik::server::testing
