// The client against the project's own result server, a real process on
// loopback with a fresh database.
#include "fake_submit_console.h"
#include "server_process.h"
#include "submissions.h"
#include "submit/hwbot_page.h"
#include "submit/result_client.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::submit;
using tarvik::server::testing::reportMachine;
using tarvik::server::testing::ServerProcess;
using tarvik::testing::FakeSubmitConsole;

namespace {

// What a browser gets at `url`: the status and the page.
std::pair<int, std::string> fetch(const QUrl &url)
{
    QNetworkAccessManager network;
    QNetworkReply *reply = network.get(QNetworkRequest(url));
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    wait.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const std::string page = reply->readAll().toStdString();
    reply->deleteLater();
    return {status, page};
}

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

class ResultServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_THROW(server.start());
        console.hw = reportMachine();
    }

    ResultClient client(std::vector<QUrl> *opened = nullptr)
    {
        const ServerAddress address{"127.0.0.1", static_cast<std::uint16_t>(server.tcpPort()),
                                    static_cast<std::uint16_t>(server.httpPort())};
        return ResultClient(console, address, [opened](const QUrl &url) {
            if (opened)
                opened->push_back(url);
            return opened != nullptr;
        });
    }

    QTemporaryDir folder;
    ServerProcess server{folder.filePath("results.sqlite")};
    FakeSubmitConsole console;
};

} // namespace

TEST_F(ResultServerTest, WithoutRecordsNothingIsStored)
{
    const std::string reply = client().SendResults("Ann", "", false);
    EXPECT_FALSE(reply.empty());
    EXPECT_EQ(console.lines, std::vector<std::string>{"Connected!"});
    EXPECT_FALSE(console.ids.any());
}

TEST_F(ResultServerTest, EachTestIsStoredUnderItsOwnIdAndCanBeFetched)
{
    for (const char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        console.separator = separator;
        console.hw = reportMachine(separator);
        console.ids.clear();
        console.bestTimes.clear();
        console.bestTimes.set(1, 0.0123456);  // test 1's line is also the end of test 11's
        console.bestTimes.set(6, 15.2345678); // more than three decimals: 15.235 with its checksum
        console.bestTimes.set(11, 600.25);
        ResultClient direct = client();
        const std::string reply = direct.SendResults("Ann", "my box", false);

        const std::int32_t id1 = direct.getSubmissionId(1);
        const std::int32_t id6 = direct.getSubmissionId(6);
        const std::int32_t id11 = direct.getSubmissionId(11);
        ASSERT_NE(id1, 0) << reply;
        ASSERT_NE(id6, 0) << reply;
        ASSERT_NE(id11, 0) << reply;
        EXPECT_NE(id1, id11);

        const std::string stored = direct.GetResult(std::to_string(id6));
        EXPECT_TRUE(contains(stored, "Time: 15.235 s")) << stored;
        EXPECT_TRUE(contains(stored, "(verified)")) << stored;
        EXPECT_TRUE(contains(direct.GetResult(std::to_string(id1)), "Test: 1 ")) << stored;
        EXPECT_TRUE(contains(direct.GetResult(std::to_string(id11)), "Test: 11 ")) << stored;
    }
}

TEST_F(ResultServerTest, TheVerificationLinkOfAPageLeadsToTheResult)
{
    console.bestTimes.set(6, 15.234);
    ResultClient direct = client();
    direct.SendResults("Ann", "", false);
    const std::int32_t id = direct.getSubmissionId(6);
    ASSERT_NE(id, 0);
    const std::vector<FormField> fields =
        hwbotFields({6, 15.23, "", id}, {console.hw, "1.55", webAddress(direct.server()), '.'});
    ASSERT_EQ(fields.back().name, "verificationUrl");
    const auto [status, page] = fetch(QUrl(QString::fromStdString(fields.back().value)));
    EXPECT_EQ(status, 200);
    EXPECT_TRUE(contains(page, "Ann")) << page;
}

TEST_F(ResultServerTest, TheBrowserSubmissionReachesTheServerIntact)
{
    console.http = true;
    console.bestTimes.set(6, 15.234);
    std::vector<QUrl> opened;
    client(&opened).SendResults("Ann & Bo", "50% #1 +more", false);
    ASSERT_EQ(opened.size(), 1u);
    const auto [status, page] = fetch(opened[0]); // as the browser would
    EXPECT_EQ(status, 200);
    EXPECT_TRUE(contains(page, "result id")) << page;

    const std::string stored = client().GetResult("1");
    EXPECT_TRUE(contains(stored, "Submitter: Ann & Bo\r\n")) << stored;
    EXPECT_TRUE(contains(stored, "Description: 50% #1 +more\r\n")) << stored;
}

TEST_F(ResultServerTest, GetOfAnUnknownIdSaysSo)
{
    const std::string reply = client().GetResult("999");
    EXPECT_FALSE(reply.empty());
    EXPECT_EQ(console.lines, std::vector<std::string>{"Connected!"});
}
