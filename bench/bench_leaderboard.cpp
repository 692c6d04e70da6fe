// What a leaderboard page costs as the database grows: the page and the
// JSON leaderboard timed after one second of submissions (a thousand results
// or two) and again at 100,000, on SQLite and on PostgreSQL. The results are submitted over TCP by
// the server load's clients, each under a name of its own, so every result
// is a row of the ranking.
//
//   bench_leaderboard [results, default 100000]

#include "postgres_cluster.h"
#include "server_load.h"
#include "server_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

using namespace tarvik::bench;
using tarvik::server::testing::PostgresCluster;
using tarvik::server::testing::ServerProcess;

namespace {

constexpr int Clients = 16;
constexpr int Requests = 50;
// What a page may cost at 100,000 results.
constexpr double TargetMs = 50;

void print(const std::string &name, double value, const char *unit)
{
    std::printf("%s: %.2f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

// Submits until at least `count` results are stored; gives how many are.
long long fillTo(const ServerProcess &server, long long count, long long stored)
{
    while (stored < count) {
        const auto chunk = std::chrono::seconds(stored + 3000 * 5 < count ? 5 : 1);
        stored += static_cast<long long>(runLoad(Channel::Tcp, {server.tcpPort()}, Clients, chunk).acceptedIds.size());
    }
    return stored;
}

// The median time of `Requests` requests for `path`, one after another.
double medianMs(httplib::Client &web, const std::string &path)
{
    std::vector<double> times;
    for (int i = 0; i < Requests; ++i) {
        const auto begun = std::chrono::steady_clock::now();
        const httplib::Result result = web.Get(path.c_str());
        if (!result || result->status != 200)
            throw std::runtime_error("no page " + path);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begun).count());
    }
    return percentile(times, 0.5);
}

void measure(const std::string &backend, const QString &database, long long results)
{
    ServerProcess server(database);
    server.start();
    httplib::Client web("127.0.0.1", server.httpPort());
    web.set_read_timeout(60);
    long long stored = 0;
    for (const auto &[target, size] : {std::pair{1LL, "small"}, std::pair{results, "large"}}) {
        stored = fillTo(server, target, stored);
        const std::string prefix = "leaderboard_" + backend + "_" + size + "_";
        print(prefix + "stored", static_cast<double>(stored), "results");
        const double page = medianMs(web, "/");
        print(prefix + "page_median", page, "ms");
        print(prefix + "json_median", medianMs(web, "/api/results"), "ms");
        if (target == results)
            std::printf("%starget_met: %s\n", prefix.c_str(), page < TargetMs ? "yes" : "no");
    }
    server.stop();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const long long results = argc > 1 ? std::max(200LL, std::atoll(argv[1])) : 100000;
    // On the disk of the current folder: the system's temporary folder may be in memory.
    const QTemporaryDir folder(QDir::current().filePath(QStringLiteral("bench-leaderboard-XXXXXX")));
    try {
        measure("sqlite", folder.filePath(QStringLiteral("results.sqlite")), results);
        PostgresCluster cluster;
        measure("postgresql", cluster.createDatabase(), results);
    } catch (const std::runtime_error &fault) {
        std::fprintf(stderr, "bench_leaderboard: %s\n", fault.what());
        return 1;
    }
    return 0;
}
