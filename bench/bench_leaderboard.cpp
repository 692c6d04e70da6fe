// What a leaderboard page costs as the database grows: the page and the
// JSON leaderboard timed after one second of submissions (a thousand results
// or two) and again at 100,000, on SQLite and on PostgreSQL, each page
// rendered for its request. At 100,000 also the filtered and sorted boards,
// a history of 500 results, the CSV and JSON exports, and the dump, written
// by --dump and downloaded; then the pages a second 16 visitors at once get,
// rendered for each and answered from the server's page cache. The results
// are submitted over TCP by the server load's clients, each under a name of
// its own, so every result is a row of the ranking; all are on one processor
// with 4 threads, so a filter on 4 threads keeps every row and one on 2
// threads none (the most rows a filter walks through).
//
//   bench_leaderboard [results, default 100000]

#include "postgres_cluster.h"
#include "server_load.h"
#include "server_process.h"
#include "submissions.h"
#include "tcp_client.h"

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
namespace testing = tarvik::server::testing;

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

// The submitter whose history is timed, and how many results it has.
constexpr const char *HistoryName = "history";
constexpr int HistoryResults = 500;

// The lists at 100,000 results, by name: the filters, the orders, a deep
// page, the history and the exports.
const std::pair<const char *, const char *> Lists[] = {
    {"filter_processor", "/?processor=core"},
    {"filter_threads_all", "/?threads=4"},
    {"filter_threads_none", "/?threads=2"},
    {"filter_days", "/?from=2020-01-01&to=2099-12-31"},
    {"filter_all", "/?processor=core&threads=4&from=2020-01-01&sort=newest"},
    {"sort_newest", "/?sort=newest"},
    {"sort_slowest", "/?sort=slowest"},
    {"page_2000", "/?page6=2000"},
    {"history", "/history?name=history"},
    {"history_csv", "/history?name=history&format=csv"},
    {"csv", "/?format=csv"},
    {"csv_filtered", "/?threads=4&sort=newest&format=csv"},
    {"json_filtered", "/?processor=core&format=json"},
    {"result_json", "/score.cgi?id=1&format=json"},
};

void addHistory(const ServerProcess &server)
{
    const auto machine = testing::reportMachine();
    for (int n = 0; n < HistoryResults; ++n) {
        // From addresses of their own, as many machines would send, so the
        // rate of one address refuses none; half-closed, so the server
        // answers at once instead of after its quiet time.
        const std::string from = "127.0.2." + std::to_string(1 + n % 100);
        testing::TcpClient client(server.tcpPort(), from.c_str());
        client.send(testing::submitMessage(HistoryName, "", machine, 1 + n % 8, {{6, 30 + n * 0.001}}));
        client.halfClose();
        if (testing::resultIds(client.receiveAll()).size() != 1)
            throw std::runtime_error("a result of the history was not stored");
    }
}

// Prints the time of each list and of the dump, named `prefix` + what.
void printLists(httplib::Client &web, const QString &database, const std::string &prefix, const QString &dumpFile)
{
    double slowest = 0;
    for (const auto &[name, path] : Lists) {
        const double ms = medianMs(web, path);
        slowest = std::max(slowest, ms);
        print(prefix + name + "_median", ms, "ms");
    }
    std::printf("%slists_target_met: %s\n", prefix.c_str(), slowest < TargetMs ? "yes" : "no");
    const auto begun = std::chrono::steady_clock::now();
    const testing::ToolRun dump =
        testing::runServerTool({QStringLiteral("--database"), database, QStringLiteral("--dump"), dumpFile});
    if (dump.status != 0)
        throw std::runtime_error("no dump: " + dump.output);
    print(prefix + "dump_write",
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begun).count(), "ms");
    print(prefix + "dump_download_median", medianMs(web, "/dump.json.gz"), "ms");
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

void measure(const std::string &backend, const QString &database, long long results, const QString &dumpFile)
{
    // Every page rendered for its request, as the times are meant.
    ServerProcess server(
        database, {QStringLiteral("--page-cache-ms"), QStringLiteral("0"), QStringLiteral("--offer-dump"), dumpFile});
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
    addHistory(server);
    printLists(web, database, prefix, dumpFile);
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
        const QString dumpFile = folder.filePath(QStringLiteral("dump.json.gz"));
        measure("sqlite", folder.filePath(QStringLiteral("results.sqlite")), results, dumpFile);
        PostgresCluster cluster;
        measure("postgresql", cluster.createDatabase(), results, dumpFile);
    } catch (const std::runtime_error &fault) {
        std::fprintf(stderr, "bench_leaderboard: %s\n", fault.what());
        return 1;
    }
    return 0;
}
