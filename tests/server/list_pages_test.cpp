// The list pages against the real server on both databases: the
// leaderboard's filters and orders, the histories, the exports of the same
// query and the dump of the whole database.
#include "protocol_suite.h"
#include "sql_connection.h"
#include "submissions.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gmock/gmock.h>
#include <zlib.h>

#include <set>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace tarvik::server::testing {
namespace {

std::string bodyOf(const std::string &response)
{
    return response.substr(response.find("\r\n\r\n") + 4);
}

QJsonDocument jsonOf(const std::string &response)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(bodyOf(response)));
}

QStringList submitters(const QJsonArray &results)
{
    QStringList names;
    for (const QJsonValue &result : results)
        names << result["submitter"].toString();
    return names;
}

std::vector<std::int64_t> idsOf(const QJsonArray &results)
{
    std::vector<std::int64_t> ids;
    for (const QJsonValue &result : results)
        ids.push_back(result["id"].toInteger());
    return ids;
}

// The whole content of a gzip file, through zlib's own reader.
std::string gunzipped(const QString &file)
{
    gzFile in = gzopen(file.toLocal8Bit().constData(), "rb");
    if (!in)
        return {};
    std::string content;
    char chunk[65536];
    int got = 0;
    while ((got = gzread(in, chunk, sizeof chunk)) > 0)
        content.append(chunk, static_cast<std::size_t>(got));
    gzclose(in);
    return content;
}

std::string get(const std::unique_ptr<ServerProcess> &server, const std::string &target)
{
    return httpGet(server->httpPort(), target);
}

TEST_P(ProtocolTest, FiltersAndOrdersPickTheRowsAndTheAddressKeepsThem)
{
    startServer({QStringLiteral("--page-cache-ms"), QStringLiteral("0")});
    const HardwareFields intel = reportMachine();
    for (const auto &[name, machine, threads, seconds] : {std::tuple{"Ann", intel, 4, 20.5},
                                                          {"Bo", scanMachine(), 2, 30.0},
                                                          {"Cy", intel, 2, 25.0},
                                                          {"Old", intel, 4, 22.0}})
        ASSERT_EQ(resultIds(send(submitMessage(name, "", machine, threads, {{6, seconds}}))).size(), 1u);
    SqlConnection(m_database)
        .run(QStringLiteral("UPDATE submissions SET received_at = '2025-01-15 10:00:00' WHERE submitter = 'Old'"));

    auto board = [&](const std::string &query) {
        const std::string answer = get(m_server, "/api/results" + query);
        EXPECT_THAT(answer, ::testing::StartsWith("HTTP/1.1 200 ")) << query;
        return submitters(jsonOf(answer)["boards"][0]["results"].toArray());
    };
    const std::vector<std::pair<std::string, QStringList>> cases = {
        {"", {"Ann", "Old", "Cy", "Bo"}},
        {"?processor=athlon", {"Bo"}}, // any case
        {"?processor=CORE%28TM%292", {"Ann", "Old", "Cy"}},
        {"?processor=100%25", {}}, // % is a letter here, not a pattern
        {"?processor=_", {}},
        {"?threads=4", {"Ann", "Old"}},
        {"?from=2025-01-01&to=2025-12-31", {"Old"}},
        {"?from=2025-01-16", {"Ann", "Cy", "Bo"}},
        {"?to=2025-01-15", {"Old"}}, // the last day counts whole
        {"?sort=slowest", {"Bo", "Cy", "Old", "Ann"}},
        {"?sort=newest", {"Old", "Cy", "Bo", "Ann"}},
        {"?threads=4&sort=oldest", {"Ann", "Old"}},
        {"?processor=&threads=&from=&to=&sort=", {"Ann", "Old", "Cy", "Bo"}}, // an empty form
    };
    for (const auto &[query, expected] : cases)
        EXPECT_EQ(board(query), expected) << query;
    EXPECT_EQ(jsonOf(get(m_server, "/api/results?threads=2"))["boards"][0]["total"].toInt(), 2);

    // The page shows the query in its form and keeps it in its links.
    const std::string page = bodyOf(get(m_server, "/?processor=Core%28TM%292%20&threads=4&sort=slowest"));
    EXPECT_THAT(page, HasSubstr("name=\"processor\" value=\"Core(TM)2 \""));
    EXPECT_THAT(page, HasSubstr("name=\"threads\" value=\"4\""));
    EXPECT_THAT(page, HasSubstr("<option value=\"slowest\" selected>"));
    EXPECT_THAT(page, HasSubstr("href=\"/?processor=Core%28TM%292%20&amp;threads=4\">Time"));
    EXPECT_THAT(page, HasSubstr("href=\"/?processor=Core%28TM%292%20&amp;threads=4&amp;sort=newest\">Date"));
    const std::string marked = bodyOf(get(m_server, "/?processor=%3Cb%3E"));
    EXPECT_THAT(marked, HasSubstr("name=\"processor\" value=\"&lt;b&gt;\""));
    EXPECT_THAT(marked, Not(HasSubstr("<b>")));

    const std::vector<std::pair<std::string, std::string>> refused = {
        {"threads=0", "The thread count is a whole number from 1 to 256."},
        {"threads=four", "The thread count is a whole number from 1 to 256."},
        {"from=2026-02-30", "A date is a day written year-month-day, as 2026-12-10."},
        {"from=10.12.2026", "A date is a day written year-month-day, as 2026-12-10."},
        {"from=2026-12-10&to=2026-12-09", "The first day comes after the last."},
        {"sort=up", "The order is one of fastest, slowest, newest and oldest."},
        {"format=xml", "The format is csv or json."},
        {"processor=a%01b", "The processor text is at most 100 characters long, without control characters."},
    };
    for (const auto &[query, message] : refused) {
        const std::string html = get(m_server, "/?" + query);
        EXPECT_THAT(html, ::testing::StartsWith("HTTP/1.1 400 ")) << query;
        EXPECT_THAT(html, HasSubstr(message)) << query;
        const std::string json = get(m_server, "/api/results?" + query);
        EXPECT_THAT(json, ::testing::StartsWith("HTTP/1.1 400 ")) << query;
        EXPECT_EQ(jsonOf(json)["error"].toString().toStdString(), message) << query;
    }
}

TEST_P(ProtocolTest, AHistoryShowsOneSubmittersResultsAndOneMachinesNewestFirst)
{
    startServer({QStringLiteral("--page-cache-ms"), QStringLiteral("0")});
    const auto first = resultIds(send(submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}, {11, 600}})));
    const auto other = resultIds(send(submitMessage("Ann", "", scanMachine(), 2, {{6, 21}})));
    const auto later = resultIds(send(submitMessage("Ann", "", reportMachine(), 2, {{6, 19.5}})));
    const auto bo = resultIds(send(submitMessage("Bo", "", reportMachine(), 4, {{6, 19}})));
    const auto marked = resultIds(send(submitMessage("<i>Zed</i>", "", reportMachine(), 4, {{6, 23}})));
    ASSERT_EQ(first.size() + other.size() + later.size() + bo.size() + marked.size(), 6u);

    const QJsonDocument ann = jsonOf(get(m_server, "/history?name=Ann&format=json"));
    EXPECT_EQ(ann["total"].toInt(), 4);
    EXPECT_THAT(idsOf(ann["results"].toArray()),
                ElementsAre(later.at(6), other.at(6), first.at(6) > first.at(11) ? first.at(6) : first.at(11),
                            first.at(6) > first.at(11) ? first.at(11) : first.at(6)));
    // One machine: the same processor record under the same name, whatever the thread count.
    const QJsonDocument machine =
        jsonOf(get(m_server, "/history?name=Ann&machine=" + std::to_string(first.at(6)) + "&format=json"));
    EXPECT_EQ(machine["machineOf"].toInteger(), first.at(6));
    std::set<std::int64_t> machineIds;
    for (std::int64_t id : idsOf(machine["results"].toArray()))
        machineIds.insert(id);
    EXPECT_EQ(machineIds, (std::set<std::int64_t>{first.at(6), first.at(11), later.at(6)}));

    const std::string page = bodyOf(get(m_server, "/history?name=Ann"));
    EXPECT_THAT(page, HasSubstr("<svg"));
    EXPECT_THAT(page, HasSubstr("higher is faster"));
    EXPECT_THAT(page, HasSubstr("/score.cgi?id=" + std::to_string(other.at(6))));
    EXPECT_THAT(page, Not(HasSubstr("/score.cgi?id=" + std::to_string(bo.at(6)) + "\"")));

    const std::string zed = bodyOf(get(m_server, "/history?name=%3Ci%3EZed%3C%2Fi%3E"));
    EXPECT_THAT(zed, HasSubstr("History of &lt;i&gt;Zed&lt;/i&gt;"));
    EXPECT_THAT(zed, Not(HasSubstr("<i>")));
    EXPECT_THAT(get(m_server, "/history"), ::testing::StartsWith("HTTP/1.1 400 "));
    EXPECT_EQ(jsonOf(get(m_server, "/history?name=Nobody&format=json"))["total"].toInt(), 0);
}

TEST_P(ProtocolTest, ExportsHoldThePagesRowsAndKeepSpreadsheetsFromRunningCells)
{
    startServer({QStringLiteral("--page-cache-ms"), QStringLiteral("0")});
    for (const auto &[name, threads, seconds] :
         {std::tuple{"=HYPERLINK(\"http://x\")", 4, 20.5}, {"Bo, \"the\" fast", 4, 21.0}, {"Cy", 2, 22.0}})
        ASSERT_EQ(resultIds(send(submitMessage(name, "", reportMachine(), threads, {{6, seconds}, {11, seconds * 30}})))
                      .size(),
                  2u);

    const std::string csv = get(m_server, "/?threads=4&format=csv");
    EXPECT_THAT(csv, HasSubstr("Content-Type: text/csv; charset=utf-8; header=present\r\n"));
    EXPECT_THAT(csv, HasSubstr("Content-Disposition: attachment; filename=\"tarvik-leaderboard.csv\"\r\n"));
    const std::string json = get(m_server, "/?threads=4&format=json");
    EXPECT_THAT(json, HasSubstr("Content-Type: application/json\r\n"));
    EXPECT_THAT(json, HasSubstr("filename=\"tarvik-leaderboard.json\""));

    // Both hold the rows of the page for the same query, board by board.
    std::vector<std::string> fromJson;
    for (const QJsonValue &board : jsonOf(json)["boards"].toArray())
        for (const QJsonValue &result : board["results"].toArray())
            fromJson.push_back(std::to_string(board["test"].toInt()) + " " + std::to_string(result["id"].toInteger()));
    const QStringList lines = QString::fromStdString(bodyOf(csv)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << bodyOf(csv);
    EXPECT_EQ(lines[0], "test,rank,id,submitter,processor,clock_mhz,threads,seconds,submitted_at");
    std::vector<std::string> fromCsv;
    for (const QString &line : lines.mid(1)) {
        const QStringList fields = line.split(u',');
        fromCsv.push_back(fields[0].mid(1).chopped(1).toStdString() + " " + fields[2].mid(1).chopped(1).toStdString());
    }
    EXPECT_EQ(fromCsv, fromJson);
    EXPECT_EQ(fromJson.size(), 4u);
    // A cell that would start a formula stays text; quotes are doubled.
    EXPECT_THAT(lines[1].toStdString(), HasSubstr(",\"'=HYPERLINK(\"\"http://x\"\")\","));
    EXPECT_THAT(lines[2].toStdString(), HasSubstr(",\"Bo, \"\"the\"\" fast\","));

    // One result as JSON, its date in ISO 8601 UTC.
    const std::int64_t id = jsonOf(json)["boards"][0]["results"][0]["id"].toInteger();
    const QJsonDocument one = jsonOf(get(m_server, "/score.cgi?id=" + std::to_string(id) + "&format=json"));
    EXPECT_EQ(one["id"].toInteger(), id);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))
                    .match(one["submittedAt"].toString())
                    .hasMatch())
        << one["submittedAt"].toString().toStdString();
    EXPECT_THAT(get(m_server, "/score.cgi?id=999999&format=json"), ::testing::StartsWith("HTTP/1.1 404 "));

    const std::string history = get(m_server, "/history?name=Cy&format=csv");
    EXPECT_THAT(history, HasSubstr("filename=\"tarvik-history.csv\""));
    EXPECT_THAT(bodyOf(history), ::testing::StartsWith("test,id,submitter,"));
}

TEST_P(ProtocolTest, TheDumpHoldsEveryAcceptedListedResultAndIsOffered)
{
    const QString dump = m_folder.filePath(QStringLiteral("dump.json.gz"));
    startServer({QStringLiteral("--offer-dump"), dump});
    EXPECT_THAT(httpGet(m_server->httpPort(), "/dump.json.gz"), ::testing::StartsWith("HTTP/1.1 404 "));
    const auto kept = resultIds(send(submitMessage("Ann", "", reportMachine(), 4, {{6, 20.5}, {11, 600}})));
    const std::string hiddenAnswer = send(submitMessage("Bo", "", reportMachine(), 4, {{6, 21}}));
    const std::optional<Management> hidden = managementIn(hiddenAnswer);
    ASSERT_TRUE(hidden);
    ASSERT_THAT(httpExchange(m_server->httpPort(), "POST", "/manage",
                             "submission=" + hidden->submission + "&key=" + hidden->key + "&action=hide"),
                ::testing::StartsWith("HTTP/1.1 200 "));

    const ToolRun run = runServerTool({QStringLiteral("--database"), m_database, QStringLiteral("--dump"), dump});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "Dumped 2 results to " + dump.toStdString() + ".\n");
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 2);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x1F); // the gzip magic number
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0x8B);

    const QJsonArray dumped = QJsonDocument::fromJson(QByteArray::fromStdString(gunzipped(dump))).array();
    QJsonArray exported;
    for (const QJsonValue &result : exportedResults(m_database))
        if (result["id"].toInteger() == kept.at(6) || result["id"].toInteger() == kept.at(11))
            exported.append(result);
    EXPECT_EQ(dumped, exported);

    const std::string offered = httpGet(m_server->httpPort(), "/dump.json.gz");
    EXPECT_THAT(offered, ::testing::StartsWith("HTTP/1.1 200 "));
    EXPECT_THAT(offered, HasSubstr("Content-Type: application/gzip\r\n"));
    EXPECT_THAT(offered, HasSubstr("filename=\"tarvik-results.json.gz\""));
    EXPECT_EQ(bodyOf(offered), bytes.toStdString());
}

} // namespace
} // namespace tarvik::server::testing
