// What a leaderboard page costs as the database grows: the page and the
// JSON leaderboard timed after one second of submissions (a thousand results
// or two) and again at 100,000, on SQLite and on PostgreSQL, each page
// rendered for its request. At 100,000 the pages a second 16 visitors at once
// get, rendered for each and answered from the server's page cache. The
// results are submitted over TCP by the server load's clients, each under a
// name of its own, so every result is a row of the ranking.
//
//   bench_leaderboard [results, default 100000]

#include "postgres_cluster.h"
#include "server_load.h"
#include "server_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace tarvik::bench;
using tarvik::server::testing::PostgresCluster;
using tarvik::server::testing::ServerProcess;

namespace {

constexpr int Clients = 16;
constexpr int Requests = 50;
// What a page may cost at 100,000 results.
constexpr double TargetMs = 50;
// Pages a second the cache is to give 16 visitors at once.
constexpr double TargetCachedRate = 5000;
constexpr auto RateWindow = std::chrono::seconds(5);

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

// Pages of `path` a second, `Clients` visitors each asking for the next as
// soon as it has the last, on a connection it keeps.
double pagesPerSecond(int port, const std::string &path)
{
    std::atomic<long long> pages{0};
    std::atomic<bool> failed{false};
    const auto begun = std::chrono::steady_clock::now();
    const auto end = begun + RateWindow;
    std::vector<std::thread> visitors;
    for (int i = 0; i < Clients; ++i)
        visitors.emplace_back([&] {
            httplib::Client web("127.0.0.1", port);
            web.set_keep_alive(true);
            web.set_read_timeout(60);
            while (std::chrono::steady_clock::now() < end) {
                const httplib::Result result = web.Get(path.c_str());
                if (!result || result->status != 200) {
                    failed = true;
                    return;
                }
                ++pages;
            }
        });
    for (std::thread &visitor : visitors)
        visitor.join();
    if (failed)
        throw std::runtime_error("no page " + path + " for one of the visitors");
    return static_cast<double>(pages) / std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
}

// Prints the pages a second of the page and of the JSON, named `prefix` +
// what; gives the lower.
double printRates(int port, const std::string &prefix)
{
    const double page = pagesPerSecond(port, "/");
    print(prefix + "page_rate", page, "pages/s");
    const double json = pagesPerSecond(port, "/api/results");
    print(prefix + "json_rate", json, "pages/s");
    return std::min(page, json);
}

void measure(const std::string &backend, const QString &database, long long results)
{
    // Every page rendered for its request, as the times are meant.
    ServerProcess server(database, {QStringLiteral("--page-cache-ms"), QStringLiteral("0")});
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
        print(prefix + "processor_median",
              medianMs(web, "/processor?name=Intel%28R%29%20Core%28TM%292%20CPU%206600%20%40%202.40GHz"), "ms");
        print(prefix + "compare_median", medianMs(web, "/compare?ids=1,2,3,4"), "ms");
        print(prefix + "card_median", medianMs(web, "/score.svg?id=1"), "ms");
        if (target == results)
            std::printf("%starget_met: %s\n", prefix.c_str(), page < TargetMs ? "yes" : "no");
    }
    const std::string prefix = "leaderboard_" + backend + "_large_";
    printRates(server.httpPort(), prefix + "uncached_");
    server.stop();

    ServerProcess cached(database);
    cached.start();
    const double rate = printRates(cached.httpPort(), prefix + "cached_");
    std::printf("%scached_target_met: %s\n", prefix.c_str(), rate >= TargetCachedRate ? "yes" : "no");
    cached.stop();
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
