// Two server processes on one PostgreSQL database, as a site behind a
// reverse proxy runs them.
#include "eventually.h"
#include "server_process.h"
#include "shared_cluster.h"
#include "submissions.h"
#include "tcp_client.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <gmock/gmock.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

using ::testing::HasSubstr;
using ::testing::Not;

namespace tarvik::server::testing {
namespace {

// Starts both at one moment, as a service manager does after a reboot.
void startTogether(ServerProcess &first, ServerProcess &second)
{
    first.launch();
    second.launch();
    first.awaitPorts();
    second.awaitPorts();
}

long long boardTotal(const ServerProcess &server)
{
    const std::string page = httpGet(server.httpPort(), "/api/results");
    const QJsonDocument json =
        QJsonDocument::fromJson(QByteArray::fromStdString(page.substr(page.find("\r\n\r\n") + 4)));
    return json["boards"][0]["total"].toInteger();
}

// Submits from `clients` threads until told to stop, each to the servers in
// turn; keeps every id a server answered with, by the submitter it was for.
class Load {
public:
    Load(std::vector<ServerProcess *> servers, int clients) : m_servers(std::move(servers))
    {
        for (int client = 0; client < clients; ++client)
            m_threads.emplace_back([this, client] { run(client); });
    }
    ~Load() { finish(); }

    void finish()
    {
        m_stop = true;
        for (std::thread &thread : m_threads)
            if (thread.joinable())
                thread.join();
    }
    // Sends to the first server no more.
    void leaveFirst() { m_firstGone = true; }
    std::size_t acknowledged() const { return m_acknowledged; }
    // Once finished.
    const std::map<std::int64_t, std::string> &given() const { return m_given; }

private:
    void run(int client)
    {
        for (int round = 0; !m_stop; ++round) {
            const std::size_t turn = m_firstGone ? 1 : static_cast<std::size_t>(round + client) % m_servers.size();
            const std::string name = "client " + std::to_string(client) + "." + std::to_string(round);
            try {
                const auto ids =
                    resultIds(exchange(m_servers[turn]->tcpPort(), submitMessage(name, "", reportMachine(), 2,
                                                                                 {{6, 10 + client + round * 0.001}})));
                std::lock_guard lock(m_mutex);
                for (const auto &[test, id] : ids)
                    m_given.emplace(id, name);
                m_acknowledged = m_given.size();
            } catch (const std::exception &) {
                // A server killed under the client: nothing was acknowledged.
            }
        }
    }

    std::vector<ServerProcess *> m_servers;
    std::vector<std::thread> m_threads;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_firstGone{false};
    std::mutex m_mutex;
    std::map<std::int64_t, std::string> m_given;
    std::atomic<std::size_t> m_acknowledged{0};
};

TEST(TwoServers, StartedTogetherTheyMakeTheSchemaOnceAndShareEveryResult)
{
    const QString database = sharedCluster().createDatabase();
    ServerProcess first(database);
    ServerProcess second(database);
    startTogether(first, second);

    Load load({&first, &second}, 8);
    ASSERT_TRUE(eventually([&] { return load.acknowledged() >= 80; }));
    load.finish();

    const std::map<std::int64_t, std::string> &given = load.given();
    // Each submitter's result is a row of its own on both servers' boards.
    EXPECT_EQ(boardTotal(first), static_cast<long long>(given.size()));
    EXPECT_EQ(boardTotal(second), static_cast<long long>(given.size()));
    const auto &[id, submitter] = *given.rbegin();
    EXPECT_THAT(exchange(first.tcpPort(), getMessage(std::to_string(id))), HasSubstr("Submitter: " + submitter));
    for (const ServerProcess *server : {&first, &second})
        EXPECT_THAT(server->log(), Not(HasSubstr("database unavailable"))) << server->log();
}

TEST(TwoServers, KillingOneMidLoadLosesNothingAClientWasGivenAnIdFor)
{
    const QString database = sharedCluster().createDatabase();
    ServerProcess first(database);
    ServerProcess second(database);
    startTogether(first, second);

    Load load({&first, &second}, 8);
    ASSERT_TRUE(eventually([&] { return load.acknowledged() >= 60; }));
    first.kill();
    load.leaveFirst();
    const std::size_t atTheKill = load.acknowledged();
    ASSERT_TRUE(eventually([&] { return load.acknowledged() >= atTheKill + 40; }));
    load.finish();

    for (const auto &[id, submitter] : load.given())
        EXPECT_THAT(exchange(second.tcpPort(), getMessage(std::to_string(id))),
                    HasSubstr("Submitter: " + submitter + "\r\n"))
            << id;
}

TEST(TwoServers, OneAddressHasItsSubmissionsOfTheMinuteOnBothTogether)
{
    const QString database = sharedCluster().createDatabase();
    const QStringList limit{QStringLiteral("--max-submissions-per-minute"), QStringLiteral("3")};
    ServerProcess first(database, limit);
    ServerProcess second(database, limit);
    startTogether(first, second);
    // The database counts by the clock's minute: begin well inside one.
    ASSERT_TRUE(eventually([] { return QDateTime::currentDateTimeUtc().time().second() < 40; }));

    auto submit = [](const ServerProcess &server, double seconds) {
        return exchange(server.tcpPort(), submitMessage("Ann", "", reportMachine(), 2, {{6, seconds}}));
    };
    EXPECT_EQ(resultIds(submit(first, 20.5)).size(), 1u);
    EXPECT_EQ(resultIds(submit(second, 21.5)).size(), 1u);
    EXPECT_EQ(resultIds(submit(first, 22.5)).size(), 1u);
    EXPECT_EQ(submit(second, 23.5),
              "Message refused: more than 3 submissions a minute from your address; please wait a minute.\r\n");
    EXPECT_EQ(boardTotal(first), 1);
}

} // namespace
} // namespace tarvik::server::testing
