#include "eventually.h"
#include "older_schema.h"
#include "server_process.h"
#include "submissions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>
#include <gmock/gmock.h>
#include <httplib.h>

#include <memory>

using ::testing::HasSubstr;

namespace tarvik::server::testing {
namespace {

class ResultsApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.start();
        m_web = std::make_unique<httplib::Client>("127.0.0.1", m_server.httpPort());
        m_web->set_read_timeout(60);
    }

    // A browser submission; gives the status.
    int submit(const std::string &message)
    {
        const std::string query = QUrl::toPercentEncoding(QString::fromStdString(message)).toStdString();
        const httplib::Result result = m_web->Get(("/submit.cgi?SendStr=" + query).c_str());
        return result ? result->status : -1;
    }

    QJsonObject board(const std::string &query)
    {
        const httplib::Result result = m_web->Get(("/api/results" + query).c_str());
        EXPECT_TRUE(result && result->status == 200);
        return result ? QJsonDocument::fromJson(QByteArray::fromStdString(result->body))["boards"][0].toObject()
                      : QJsonObject();
    }

    QTemporaryDir m_folder;
    ServerProcess m_server{m_folder.filePath(QStringLiteral("results.sqlite"))};
    std::unique_ptr<httplib::Client> m_web;
};

QStringList submitters(const QJsonObject &board)
{
    QStringList names;
    for (const QJsonValue &result : board["results"].toArray())
        names << result["submitter"].toString();
    return names;
}

TEST_F(ResultsApi, RanksTheBestTimeOfEachSubmitterAndProcessorInPages)
{
    const HardwareFields machine = reportMachine();
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(submit(submitMessage(std::string("s").append(std::to_string(i)), "", machine, 2, {{6, 10.0 + i}})),
                  200);
    // s0 again: a slower time that stays hidden, a faster one that replaces it,
    // and a time on another processor, which ranks apart.
    ASSERT_EQ(submit(submitMessage("s0", "", machine, 2, {{6, 100}})), 200);
    ASSERT_EQ(submit(submitMessage("s0", "", machine, 2, {{6, 9.5}})), 200);
    ASSERT_EQ(submit(submitMessage("s0", "", scanMachine(), 2, {{6, 50}})), 200);

    const QJsonObject first = board("");
    EXPECT_EQ(first["test"].toInt(), 6);
    EXPECT_EQ(first["total"].toInt(), 31);
    EXPECT_EQ(first["pageCount"].toInt(), 2);
    ASSERT_EQ(first["results"].toArray().size(), 25);
    EXPECT_EQ(first["results"][0]["submitter"].toString(), "s0");
    EXPECT_EQ(first["results"][0]["seconds"].toDouble(), 9.5);
    EXPECT_EQ(first["results"][1]["submitter"].toString(), "s1");

    const QJsonObject second = board("?page6=2");
    EXPECT_EQ(second["page"].toInt(), 2);
    EXPECT_EQ(submitters(second), QStringList({"s25", "s26", "s27", "s28", "s29", "s0"}));
    EXPECT_EQ(second["results"][5]["processor"]["form"].toString(), "scan");

    // Removing a group's best brings back its next best.
    const QString best = QString::number(first["results"][0]["id"].toInteger());
    ASSERT_EQ(runServerTool({"--database", m_folder.filePath("results.sqlite"), "--remove", best}).status, 0);
    QJsonObject after;
    EXPECT_TRUE(eventually([&] {
        after = board("");
        return after["results"][0]["seconds"].toDouble() != 9.5;
    }));
    EXPECT_EQ(after["total"].toInt(), 31);
    EXPECT_EQ(submitters(after).mid(0, 2), QStringList({"s0", "s1"}));
    EXPECT_EQ(after["results"][0]["seconds"].toDouble(), 10.0);
}

TEST_F(ResultsApi, ADatabaseFromBeforeTheRankingTableIsRankedAfterTheUpgrade)
{
    const HardwareFields machine = reportMachine();
    for (const auto &[name, seconds] : {std::pair{"slow", 30.0}, {"fast", 20.0}, {"slow", 25.0}})
        ASSERT_EQ(submit(submitMessage(name, "", machine, 2, {{6, seconds}})), 200);
    ASSERT_EQ(m_server.stop(), 0);
    makeOlderSchema(m_folder.filePath("results.sqlite"), 2);

    m_server.start();
    m_web = std::make_unique<httplib::Client>("127.0.0.1", m_server.httpPort());
    const QJsonObject upgraded = board("");
    EXPECT_EQ(submitters(upgraded), QStringList({"fast", "slow"}));
    EXPECT_EQ(upgraded["results"][1]["seconds"].toDouble(), 25.0);
}

TEST_F(ResultsApi, RefusesWhatIsNotASubmissionAndUnknownResults)
{
    EXPECT_EQ(submit("HELLO"), 400);
    EXPECT_EQ(submit("GET\x01"
                     "1\x01"),
              400);
    const httplib::Result missing = m_web->Get("/score.cgi?id=424242");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    EXPECT_THAT(missing->body, HasSubstr("There is no result with id 424242."));
    const httplib::Result nowhere = m_web->Get("/nowhere");
    ASSERT_TRUE(nowhere);
    EXPECT_EQ(nowhere->status, 404);
}

} // namespace
} // namespace tarvik::server::testing
