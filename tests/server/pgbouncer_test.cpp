// The server behind PgBouncer in transaction pooling, as large sites run it:
// a small pool shared by the server's connections, whose transactions may
// each land on another server connection.
#include "protocol_suite.h"
#include "server_process.h"
#include "shared_cluster.h"
#include "sql_connection.h"
#include "submissions.h"
#include "tcp_client.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>
#include <gmock/gmock.h>

#include <iostream>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace tarvik::server::testing {
namespace {

QString newPooledDatabase(const QTemporaryDir &)
{
    return sharedPooler().pooled(sharedCluster().createDatabase());
}

std::string browserSubmission(int httpPort, const std::string &message)
{
    return httpGet(httpPort,
                   "/submit.cgi?SendStr=" + QUrl::toPercentEncoding(QString::fromStdString(message)).toStdString());
}

} // namespace

// The whole protocol suite, the operator's tools included, through the pooler.
INSTANTIATE_TEST_SUITE_P(PgBouncer, ProtocolTest, ::testing::Values(Backend{"PgBouncer", newPooledDatabase}),
                         [](const auto &info) { return std::string(info.param.name); });

// Many more clients than server connections, on both sides at once, each
// submission followed by lookups and pages: every one is stored with an id
// of its own and every answer comes.
TEST(PgBouncer, ManyClientsAtOnceAreAllStoredAndAnswered)
{
    // The clients stand for many machines, though they share one address.
    ServerProcess server(newPooledDatabase(QTemporaryDir()),
                         {QStringLiteral("--max-connections-per-address"), QStringLiteral("1000")});
    server.start();
    constexpr int Clients = 32;
    constexpr int Rounds = 3;
    std::mutex mutex;
    std::set<std::int64_t> ids;
    int stored = 0;
    auto keep = [&](const std::vector<std::int64_t> &found) {
        std::lock_guard lock(mutex);
        ids.insert(found.begin(), found.end());
        stored += static_cast<int>(found.size());
    };
    // One round of client `c`: even clients send over TCP, odd ones from a browser.
    auto round = [&](int c, int r) {
        const std::string name = "Client " + std::to_string(c) + "." + std::to_string(r);
        const std::string message =
            submitMessage(name, "pooled", reportMachine(), 4, {{6, 20.0 + 0.001 * (c * Rounds + r)}});
        if (c % 2 == 0) {
            const auto found = resultIds(exchange(server.tcpPort(), message));
            ASSERT_EQ(found.count(6), 1u) << name;
            keep({found.at(6)});
            EXPECT_THAT(exchange(server.tcpPort(), getMessage(std::to_string(found.at(6)))),
                        HasSubstr("Submitter: " + name + "\r\n"));
        } else {
            const std::vector<std::int64_t> found = linkedIds(browserSubmission(server.httpPort(), message));
            ASSERT_EQ(found.size(), 1u) << name;
            keep(found);
            EXPECT_THAT(httpGet(server.httpPort(), "/score.cgi?id=" + std::to_string(found.front())),
                        StartsWith("HTTP/1.1 200 OK\r\n"));
        }
        EXPECT_THAT(httpGet(server.httpPort(), "/api/results"), StartsWith("HTTP/1.1 200 OK\r\n"));
        EXPECT_THAT(httpGet(server.httpPort(), "/"), StartsWith("HTTP/1.1 200 OK\r\n"));
    };

    std::vector<std::thread> clients;
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            // A client's fault (the server gone) fails the test instead of ending the run.
            try {
                for (int r = 0; r < Rounds; ++r)
                    round(c, r);
            } catch (const std::exception &fault) {
                ADD_FAILURE() << fault.what();
            }
        });
    for (std::thread &running : clients)
        running.join();
    if (::testing::Test::HasFailure())
        std::cerr << "tarvik-server log:\n" << server.log();

    EXPECT_EQ(stored, Clients * Rounds);
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(stored));
}

// Texts that would break a statement written by hand come back exactly as
// sent, from a lookup and from --export, and the raw message keeps every
// byte the server takes.
TEST(PgBouncer, HostileTextsComeBackExactly)
{
    const QString database = newPooledDatabase(QTemporaryDir());
    ServerProcess server(database);
    server.start();
    const std::vector<std::string> hostile = {
        "it's \"quoted\" '' '",      "back\\slash \\' \\\\ \\x41 \\0 E'\\n'",
        "'; DROP TABLE results; --", "Ærøskøbing — 測試 🚀 ñ",
        "? $1 $$ :name %s",
    };
    std::map<std::int64_t, std::string> sent;
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        const std::string &text = hostile[i];
        const auto found = resultIds(exchange(
            server.tcpPort(), submitMessage(text, "about " + text, reportMachine(), 4, {{6, 30.0 + 0.001 * i}})));
        ASSERT_EQ(found.count(6), 1u) << text;
        sent[found.at(6)] = text;
        const std::string reply = exchange(server.tcpPort(), getMessage(std::to_string(found.at(6))));
        EXPECT_THAT(reply, HasSubstr("Submitter: " + text + "\r\n"));
        EXPECT_THAT(reply, HasSubstr("Description: about " + text + "\r\n"));
    }

    const QJsonArray results = exportedResults(database);
    ASSERT_EQ(results.size(), static_cast<qsizetype>(sent.size()));
    for (const QJsonValue &result : results) {
        const std::string &text = sent.at(result["id"].toInteger());
        EXPECT_EQ(result["submitter"].toString().toStdString(), text);
        EXPECT_EQ(result["description"].toString().toStdString(), "about " + text);
    }

    // Every byte but the control bytes the server refuses in a shown text;
    // the separators between fields are 0x01.
    std::string everyByte;
    for (int byte = 0x20; byte <= 0xFF; ++byte)
        if (byte != 0x7F)
            everyByte += static_cast<char>(byte);
    const std::string message = submitMessage("Raw bytes", everyByte, reportMachine(), 4, {{6, 40.0}});
    ASSERT_EQ(resultIds(exchange(server.tcpPort(), message)).count(6), 1u);
    SqlConnection direct(database);
    QSqlQuery raw = direct.run(QStringLiteral("SELECT raw_message FROM submissions WHERE submitter = 'Raw bytes'"));
    ASSERT_TRUE(raw.next());
    EXPECT_EQ(raw.value(0).toByteArray().toStdString(), message);
}

} // namespace tarvik::server::testing
