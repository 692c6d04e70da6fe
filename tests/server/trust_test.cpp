// What keeps the leaderboard trustworthy, against the real server on both
// databases: repeated tests stored once, held results ranked only once
// approved, a submitter's key over their own submission alone, the rate of
// one address, and results of an earlier schema kept through the upgrade.
#include "eventually.h"
#include "older_schema.h"
#include "protocol_suite.h"
#include "submissions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <gmock/gmock.h>

#include <set>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace tarvik::server::testing {
namespace {

std::string percentEncoded(const std::string &text)
{
    return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

// The web side and the operator's tools of the server a test runs.
class Site {
public:
    Site(const std::unique_ptr<ServerProcess> &server, QString database)
        : m_server(server),
          m_database(std::move(database))
    {
    }

    std::string web(const std::string &target) { return httpGet(m_server->httpPort(), target); }
    std::string browserSubmission(const std::string &message)
    {
        return web("/submit.cgi?SendStr=" + percentEncoded(message));
    }
    std::string manage(const Management &management, const std::string &action)
    {
        return httpExchange(m_server->httpPort(), "POST", "/manage",
                            "submission=" + management.submission + "&key=" + management.key + "&action=" + action);
    }
    // The ids of test 6's board, fastest first.
    std::vector<std::int64_t> ranked()
    {
        const std::string page = web("/api/results");
        const QJsonDocument json =
            QJsonDocument::fromJson(QByteArray::fromStdString(page.substr(page.find("\r\n\r\n") + 4)));
        std::vector<std::int64_t> ids;
        for (const QJsonValue &result : json["boards"][0]["results"].toArray())
            ids.push_back(result["id"].toInteger());
        return ids;
    }
    ToolRun tool(const QStringList &arguments)
    {
        return runServerTool(QStringList{QStringLiteral("--database"), m_database} + arguments);
    }
    qsizetype storedResults() { return exportedResults(m_database).size(); }

private:
    const std::unique_ptr<ServerProcess> &m_server;
    QString m_database;
};

} // namespace

TEST_P(ProtocolTest, ATestIsStoredOnceWhoeverSendsItAndHowever)
{
    startServer();
    Site site(m_server, m_database);
    const std::string message = submitMessage("Ann", "", reportMachine(), 2, {{6, 20.5}, {11, 600.25}});
    const std::string first = send(message);
    const auto ids = resultIds(first);
    ASSERT_EQ(ids.size(), 2u) << first;
    ASSERT_TRUE(managementIn(first)) << first;

    // Again, under another name (the checksum does not bind the name), and
    // twice through the browser, as a reload of its confirmation page sends it.
    for (const std::string &answer :
         {send(message), send(submitMessage("Mallory", "", reportMachine(), 2, {{6, 20.5}, {11, 600.25}}))}) {
        EXPECT_EQ(resultIds(answer), ids) << answer;
        EXPECT_THAT(answer, HasSubstr("6 - already stored as result " + std::to_string(ids.at(6)) +
                                      " (accepted); not stored again\r\n"));
        EXPECT_FALSE(managementIn(answer)) << answer;
    }
    for (int reload = 0; reload < 2; ++reload) {
        const std::string page = site.browserSubmission(message);
        EXPECT_THAT(page, HasSubstr("score.cgi?id=" + std::to_string(ids.at(11)) + "\""));
        EXPECT_THAT(page, HasSubstr("already stored (accepted); not stored again"));
    }
    EXPECT_EQ(site.storedResults(), 2);
    // One test new, one repeated: only the new one is stored.
    const auto mixed = resultIds(send(submitMessage("Ann", "", reportMachine(), 2, {{6, 20.5}, {11, 599.75}})));
    EXPECT_EQ(mixed.at(6), ids.at(6));
    EXPECT_NE(mixed.at(11), ids.at(11));
    EXPECT_EQ(site.storedResults(), 3);
}

TEST_P(ProtocolTest, AHeldResultIsOnNoBoardUntilApproved)
{
    startServer();
    Site site(m_server, m_database);
    const HardwareFields machine = reportMachine();
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(resultIds(send(submitMessage("Usual " + std::to_string(i), "", machine, 2, {{6, 20.0 + i}}))).size(),
                  1u);
    const std::string answer = send(submitMessage("Quick", "", machine, 2, {{6, 5.0}}));
    const std::int64_t held = resultIds(answer).at(6);
    EXPECT_THAT(answer,
                HasSubstr("6 - held for review: plausibility band: 5 s is below half of 20 s, the 10th "
                          "percentile of the 10 accepted results of this test, processor and thread count\r\n"));
    // Another processor or thread count has a band of its own.
    EXPECT_THAT(send(submitMessage("Quick", "", machine, 4, {{6, 5.5}})), HasSubstr("6 - accepted"));

    const std::string heldId = std::to_string(held);
    EXPECT_THAT(site.ranked(), Not(::testing::Contains(held)));
    EXPECT_THAT(site.web("/score.cgi?id=" + heldId), HasSubstr("held for review"));
    EXPECT_THAT(send(getMessage(heldId)), HasSubstr("Verdict: held for review (plausibility band: "));
    const ToolRun review = site.tool({QStringLiteral("--review")});
    EXPECT_EQ(review.status, 0);
    EXPECT_THAT(review.output, StartsWith(heldId + "\t32M (speed test)\t5 s\t2 threads\t"));
    EXPECT_THAT(review.output, HasSubstr("1 results held for review.\n"));

    EXPECT_EQ(site.tool({QStringLiteral("--approve"), QString::fromStdString(heldId)}).status, 0);
    EXPECT_TRUE(eventually([&] {
        const std::vector<std::int64_t> ranked = site.ranked();
        return !ranked.empty() && ranked.front() == held;
    }));
    EXPECT_THAT(site.tool({QStringLiteral("--review")}).output, StartsWith("0 results held for review."));

    const std::int64_t forged = resultIds(send(submitMessage("Quicker", "", machine, 2, {{6, 4.0}}))).at(6);
    const ToolRun refusal = site.tool({QStringLiteral("--refuse"), QString::number(forged), QStringLiteral("--why"),
                                       QStringLiteral("a copied time")});
    EXPECT_EQ(refusal.status, 0) << refusal.output;
    EXPECT_THAT(site.web("/score.cgi?id=" + std::to_string(forged)),
                HasSubstr("This result was refused (review: a copied time) and is not ranked."));
    EXPECT_THAT(site.ranked(), Not(::testing::Contains(forged)));
    EXPECT_EQ(
        site.tool({QStringLiteral("--refuse"), QStringLiteral("999999"), QStringLiteral("--why"), QStringLiteral("x")})
            .status,
        1);
}

TEST_P(ProtocolTest, AKeyManagesItsOwnSubmissionAndNothingElse)
{
    startServer();
    Site site(m_server, m_database);
    const std::string mine = send(submitMessage("Ann", "", reportMachine(), 2, {{6, 20.5}, {11, 600.25}}));
    const std::string theirs = send(submitMessage("Bob", "", reportMachine(), 2, {{6, 21.5}}));
    const std::optional<Management> key = managementIn(mine);
    const std::optional<Management> theirKey = managementIn(theirs);
    ASSERT_TRUE(key && theirKey) << mine << theirs;
    const std::int64_t myResult = resultIds(mine).at(6);
    const std::int64_t theirResult = resultIds(theirs).at(6);

    const std::string wrongKey = std::string(32, '0');
    for (const Management &wrong : {Management{key->submission, wrongKey}, Management{theirKey->submission, key->key},
                                    Management{"99999", key->key}, Management{key->submission, ""}}) {
        for (const std::string &page : {site.web("/manage?submission=" + wrong.submission + "&key=" + wrong.key),
                                        site.manage(wrong, "delete"), site.manage(wrong, "hide")}) {
            EXPECT_THAT(page, StartsWith("HTTP/1.1 403 "));
            EXPECT_THAT(page, HasSubstr("This management address is not valid; nothing was changed."));
        }
    }
    EXPECT_EQ(site.ranked(), (std::vector<std::int64_t>{myResult, theirResult}));

    EXPECT_THAT(site.web("/manage?submission=" + key->submission + "&key=" + key->key),
                HasSubstr("Hide these results"));
    EXPECT_THAT(site.manage(*key, "hide"), HasSubstr("This submission&#39;s 2 results are hidden"));
    EXPECT_EQ(site.ranked(), std::vector<std::int64_t>{theirResult});
    EXPECT_THAT(site.web("/score.cgi?id=" + std::to_string(myResult)),
                HasSubstr("Its submitter has hidden this result"));

    EXPECT_THAT(site.manage(*key, "delete"), HasSubstr("This submission&#39;s 2 results are deleted."));
    EXPECT_EQ(send(getMessage(std::to_string(myResult))),
              "There is no result with id " + std::to_string(myResult) + ".\r\n");
    EXPECT_THAT(send(getMessage(std::to_string(theirResult))), HasSubstr("Submitter: Bob\r\n"));
    EXPECT_THAT(site.manage(*key, "delete"), StartsWith("HTTP/1.1 403 "));
    // The key never reaches the log.
    EXPECT_THAT(m_server->log(), Not(HasSubstr(key->key)));
}

TEST_P(ProtocolTest, OneAddressSendsAtMostItsSubmissionsAMinute)
{
    startServer({QStringLiteral("--max-submissions-per-minute"), QStringLiteral("2")});
    Site site(m_server, m_database);
    const HardwareFields machine = reportMachine();
    EXPECT_EQ(resultIds(send(submitMessage("Ann", "", machine, 2, {{6, 20.5}}))).size(), 1u);
    EXPECT_THAT(site.browserSubmission(submitMessage("Ann", "", machine, 2, {{6, 21.5}})), StartsWith("HTTP/1.1 200 "));
    EXPECT_EQ(send(submitMessage("Ann", "", machine, 2, {{6, 22.5}})),
              "Message refused: more than 2 submissions a minute from your address; please wait a minute.\r\n");
    EXPECT_THAT(site.browserSubmission(submitMessage("Ann", "", machine, 2, {{6, 23.5}})), StartsWith("HTTP/1.1 429 "));
    EXPECT_THAT(send(getMessage("1")), HasSubstr("Submitter: Ann\r\n"));
    EXPECT_THAT(site.web("/rules"), HasSubstr("One address may send 2 submissions a minute"));
}

TEST_P(ProtocolTest, AnUpgradedDatabaseKeepsEveryResultAndRanksThem)
{
    startServer();
    Site site(m_server, m_database);
    const HardwareFields machine = reportMachine();
    const std::string repeated = submitMessage("slow", "", machine, 2, {{6, 30.0}});
    std::set<std::int64_t> before;
    for (const std::string &message : {repeated, submitMessage("fast", "", machine, 2, {{6, 20.0}, {11, 600.0}}),
                                       submitMessage("slow", "", machine, 2, {{6, 25.0}})})
        for (const auto &[test, id] : resultIds(send(message)))
            before.insert(id);
    ASSERT_EQ(before.size(), 4u);
    ASSERT_EQ(m_server->stop(), 0);
    makeOlderSchema(m_database, 3);

    startServer();
    EXPECT_EQ(site.storedResults(), 4);
    const std::vector<std::int64_t> board = site.ranked();
    ASSERT_EQ(board.size(), 2u);
    EXPECT_THAT(send(getMessage(std::to_string(board[1]))), HasSubstr("Time: 25 s\r\n"));
    EXPECT_THAT(send(getMessage(std::to_string(board[0]))),
                HasSubstr("Verdict: accepted (stored before the rules)\r\n"));
    // Results from before the upgrade are found as repeats too, and new ones get new ids.
    EXPECT_EQ(before.count(resultIds(send(repeated)).at(6)), 1u);
    const std::int64_t added = resultIds(send(submitMessage("new", "", machine, 2, {{6, 19.0}}))).at(6);
    EXPECT_GT(added, *before.rbegin());
    EXPECT_EQ(site.ranked().front(), added);
}

} // namespace tarvik::server::testing
