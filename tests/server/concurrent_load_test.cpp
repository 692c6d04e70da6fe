#include "server_process.h"
#include "submissions.h"
#include "tcp_client.h"

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

// Submissions over both sides, lookups and pages all at once: every answer
// comes, and every stored test has an id of its own. Under ThreadSanitizer
// this is the load that crosses the server's threads (the event loop, the
// database's writer and the page readers) most often.
TEST(ConcurrentLoad, EveryClientIsAnsweredAndEveryIdIsUnique)
{
    QTemporaryDir folder;
    ServerProcess server(folder.filePath(QStringLiteral("results.sqlite")));
    server.start();
    constexpr int Rounds = 15;
    std::mutex mutex;
    std::set<std::int64_t> ids;
    int stored = 0;
    auto keep = [&](const std::vector<std::int64_t> &found) {
        std::lock_guard lock(mutex);
        ids.insert(found.begin(), found.end());
        stored += static_cast<int>(found.size());
    };

    std::vector<std::thread> clients;
    // A client's fault (the server gone) fails the test instead of ending the run.
    auto client = [](auto rounds) {
        return [rounds] {
            try {
                rounds();
            } catch (const std::exception &fault) {
                ADD_FAILURE() << fault.what();
            }
        };
    };
    for (int c = 0; c < 3; ++c)
        clients.emplace_back(client([&, c] {
            for (int r = 0; r < Rounds; ++r) {
                const std::string name = "Tcp " + std::to_string(c) + "." + std::to_string(r);
                const auto found = resultIds(exchange(
                    server.tcpPort(), submitMessage(name, "", reportMachine(), 4, {{6, 20.0 + r + 0.001 * c}})));
                keep(found.count(6) ? std::vector<std::int64_t>{found.at(6)} : std::vector<std::int64_t>{});
                EXPECT_THAT(exchange(server.tcpPort(), getMessage("1")), HasSubstr("Submitter: "));
            }
        }));
    for (int c = 0; c < 2; ++c)
        clients.emplace_back(client([&, c] {
            for (int r = 0; r < Rounds; ++r) {
                const std::string message = submitMessage("Web " + std::to_string(c) + "." + std::to_string(r), "",
                                                          reportMachine(), 4, {{11, 600.0 + r + 0.001 * c}});
                const std::string query = QUrl::toPercentEncoding(QString::fromStdString(message)).toStdString();
                keep(linkedIds(httpGet(server.httpPort(), "/submit.cgi?SendStr=" + query)));
                EXPECT_THAT(httpGet(server.httpPort(), "/api/results"), StartsWith("HTTP/1.1 200 OK\r\n"));
            }
        }));
    for (std::thread &running : clients)
        running.join();
    if (::testing::Test::HasFailure())
        std::cerr << "tarvik-server log:\n" << server.log();

    EXPECT_EQ(stored, 5 * Rounds);
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(stored));
}

} // namespace
} // namespace tarvik::server::testing
