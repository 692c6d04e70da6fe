// Load on the result server: 32 clients submitting over TCP, then 32 over
// HTTP, each for a fixed time, against SQLite, against PostgreSQL, and
// against PostgreSQL through PgBouncer with one and with two server
// processes; beside
// it the rate of single-row durable commits SQLite itself manages on the same
// disk, the yardstick for the server's grouped commits. After each load every
// accepted submission is looked up in the database: none may be lost.
//
//   bench_server [seconds per load, default 5] [clients, default 32]

#include "commit_rate.h"
#include "pgbouncer.h"
#include "postgres_cluster.h"
#include "server_load.h"
#include "server_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>

using namespace tarvik::bench;
using tarvik::server::testing::PgBouncer;
using tarvik::server::testing::PostgresCluster;
using tarvik::server::testing::ServerProcess;

namespace {

constexpr int DefaultClients = 32;
// What the server should reach at 32 clients: this share of SQLite's own
// single-row commit rate, within this 99th-percentile latency.
constexpr double TargetShare = 0.30;
constexpr double TargetP99Ms = 50;

void print(const std::string &name, double value, const char *unit)
{
    std::printf("%s: %.1f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

// The ids of every result in the database, read by the server's own export.
std::set<std::int64_t> storedIds(const QString &database)
{
    std::set<std::int64_t> ids;
    for (const QJsonValue &result : tarvik::server::testing::exportedResults(database))
        ids.insert(result[QStringLiteral("id")].toInteger());
    return ids;
}

struct Settings {
    std::chrono::seconds duration{5};
    int clients = DefaultClients;
};

// Loads `servers` (one or more processes on one database) over both
// channels; every accepted submission must then be in the database.
void measure(const std::string &backend, const QString &database, const std::vector<ServerProcess *> &servers,
             double commitRate, const Settings &settings)
{
    for (const auto &[channel, name] : {std::pair{Channel::Tcp, "tcp"}, std::pair{Channel::Http, "http"}}) {
        std::vector<int> ports;
        for (const ServerProcess *server : servers)
            ports.push_back(channel == Channel::Tcp ? server->tcpPort() : server->httpPort());
        const LoadResult load = runLoad(channel, ports, settings.clients, settings.duration);
        const std::set<std::int64_t> stored = storedIds(database);
        long long lost = 0;
        for (std::int64_t id : load.acceptedIds)
            lost += stored.count(id) == 0;

        const std::string prefix = "server_" + backend + "_" + name + "_";
        const double rate = static_cast<double>(load.acceptedIds.size()) / load.seconds;
        const double p99 = percentile(load.latenciesMs, 0.99);
        print(prefix + "submissions", rate, "submissions/s");
        print(prefix + "latency_median", percentile(load.latenciesMs, 0.5), "ms");
        print(prefix + "latency_p99", p99, "ms");
        print(prefix + "refused", static_cast<double>(load.refused), "submissions");
        print(prefix + "lost", static_cast<double>(lost), "submissions");
        print(prefix + "share_of_sqlite_commit_rate", 100 * rate / commitRate, "%");
        if (settings.clients == DefaultClients)
            std::printf("%starget_met: %s\n", prefix.c_str(),
                        rate >= TargetShare * commitRate && p99 < TargetP99Ms && lost == 0 ? "yes" : "no");
    }
}

// `processes` servers started on `database`, loaded, stopped.
void measureServers(const std::string &backend, const QString &database, int processes, double commitRate,
                    const Settings &settings)
{
    std::vector<std::unique_ptr<ServerProcess>> servers;
    std::vector<ServerProcess *> running;
    for (int i = 0; i < processes; ++i) {
        // The clients stand for many machines, though they share one address.
        servers.push_back(std::make_unique<ServerProcess>(
            database, QStringList{QStringLiteral("--max-connections-per-address"), QStringLiteral("100000")}));
        servers.back()->start();
        running.push_back(servers.back().get());
    }
    measure(backend, database, running, commitRate, settings);
    for (ServerProcess *server : running)
        server->stop();
}

// The figures depend on what else the machine runs: its load over the last minute.
double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readLine().split(' ').value(0).toDouble() : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings settings;
    if (argc > 1)
        settings.duration = std::chrono::seconds(std::max(1, std::atoi(argv[1])));
    if (argc > 2)
        settings.clients = std::max(1, std::atoi(argv[2]));
    // On the disk of the current folder: the system's temporary folder may be in memory.
    const QTemporaryDir folder(QDir::current().filePath(QStringLiteral("bench-server-XXXXXX")));
    print("machine_load_average", loadAverage(), "runnable threads");
    try {
        const double commitRate = sqliteCommitRate(folder.path(), settings.duration);
        print("sqlite_single_row_commits", commitRate, "commits/s");
        measureServers("sqlite", folder.filePath(QStringLiteral("results.sqlite")), 1, commitRate, settings);
        PostgresCluster cluster;
        measureServers("postgresql", cluster.createDatabase(), 1, commitRate, settings);
        // As large sites run it: through a pooler in transaction mode, with
        // one server process and with two on the same database.
        PgBouncer pooler(cluster.serverAddress());
        for (int processes : {1, 2})
            measureServers("postgresql_pgbouncer_" + std::to_string(processes) + "_processes",
                           pooler.pooled(cluster.createDatabase()), processes, commitRate, settings);
    } catch (const std::runtime_error &fault) {
        std::fprintf(stderr, "bench_server: %s\n", fault.what());
        return 1;
    }
    return 0;
}
