#include "postgres_cluster.h"

#include "cluster_user.h"
#include "tcp_client.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace tarvik::server::testing {

namespace {

constexpr int CommandLimitMs = 120000;
const char *DatabaseUser = "tarvik";

// The newest installed PostgreSQL, e.g. /usr/lib/postgresql/15/bin.
QString binaryFolder()
{
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        const QString folder = versions.filePath(*it + QStringLiteral("/bin"));
        if (QFile::exists(folder + QStringLiteral("/initdb")))
            return folder;
    }
    throw std::runtime_error("PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb); "
                             "./tarvik.sh installs the package postgresql");
}

} // namespace

PostgresCluster::PostgresCluster() : m_binaries(binaryFolder()), m_port(freeLoopbackPort())
{
    prepareFolder();
    run(tool(QStringLiteral("initdb")),
        {QStringLiteral("--pgdata"), dataFolder(), QStringLiteral("--username"), QString::fromLatin1(DatabaseUser),
         QStringLiteral("--auth"), QStringLiteral("trust"), QStringLiteral("--no-sync"), QStringLiteral("--encoding"),
         QStringLiteral("UTF8")});
    start();
}

// initdb's pg_hba.conf trusts replication connections from loopback, and
// the defaults (wal_level replica, max_wal_senders 10) let a copy stream.
PostgresCluster::PostgresCluster(StandbyOf source)
    : m_binaries(source.primary.m_binaries),
      m_port(freeLoopbackPort()),
      m_primary(&source.primary)
{
    prepareFolder();
    run(tool(QStringLiteral("pg_basebackup")),
        {QStringLiteral("--pgdata"), dataFolder(), QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
         QStringLiteral("--port"), QString::number(source.primary.m_port), QStringLiteral("--username"),
         QString::fromLatin1(DatabaseUser), QStringLiteral("--write-recovery-conf"), QStringLiteral("--wal-method"),
         QStringLiteral("stream"), QStringLiteral("--checkpoint"), QStringLiteral("fast"), QStringLiteral("--no-sync")});
    start();
}

void PostgresCluster::prepareFolder()
{
    if (!m_folder.isValid())
        throw std::runtime_error("cannot make a folder for the cluster");
    handToClusterUser(m_folder.path());
}

PostgresCluster::~PostgresCluster()
{
    try {
        stop();
    } catch (const std::runtime_error &) {
        // The folder goes anyway; a cluster that would not stop dies with it.
    }
}

QString PostgresCluster::tool(const QString &name) const
{
    return m_binaries + QLatin1Char('/') + name;
}

QString PostgresCluster::dataFolder() const
{
    return m_folder.filePath(QStringLiteral("data"));
}

QString PostgresCluster::run(const QString &program, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_folder.path());
    startAsClusterUser(process, program, arguments);
    if (!process.waitForFinished(CommandLimitMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw std::runtime_error((program + QStringLiteral(" failed: ")).toStdString() +
                                 process.readAll().toStdString() + process.errorString().toStdString());
    return QString::fromUtf8(process.readAll());
}

void PostgresCluster::start()
{
    const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -c port=%1 -c unix_socket_directories=%2")
                                .arg(m_port)
                                .arg(m_folder.path());
    run(tool(QStringLiteral("pg_ctl")),
        {QStringLiteral("--pgdata"), dataFolder(), QStringLiteral("--log"),
         m_folder.filePath(QStringLiteral("server.log")), QStringLiteral("--options"), options,
         QStringLiteral("--wait"), QStringLiteral("start")});
    m_running = true;
}

void PostgresCluster::stop()
{
    if (!m_running)
        return;
    run(tool(QStringLiteral("pg_ctl")),
        {QStringLiteral("--pgdata"), dataFolder(), QStringLiteral("--mode"),
         QStringLiteral("fast"), QStringLiteral("--wait"), QStringLiteral("stop")});
    m_running = false;
}

void PostgresCluster::freeze()
{
    signalProcesses(SIGSTOP);
}

void PostgresCluster::thaw()
{
    signalProcesses(SIGCONT);
}

// The postmaster's id is the first line of postmaster.pid; its children are
// the processes whose parent it is.
void PostgresCluster::signalProcesses(int signal) const
{
    QFile pidFile(m_folder.filePath(QStringLiteral("data/postmaster.pid")));
    if (!pidFile.open(QIODevice::ReadOnly))
        throw std::runtime_error("the cluster is not running");
    const QString postmaster = QString::fromLatin1(pidFile.readLine()).trimmed();
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile status(QStringLiteral("/proc/%1/status").arg(entry));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(status.readAll());
        if (entry == postmaster || text.contains(QStringLiteral("\nPPid:\t%1\n").arg(postmaster)))
            ::kill(entry.toInt(), signal);
    }
}

QString PostgresCluster::createDatabase()
{
    const QString name = QStringLiteral("results%1").arg(++m_databases);
    run(tool(QStringLiteral("createdb")),
        {QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QString::number(m_port),
         QStringLiteral("--username"), QString::fromLatin1(DatabaseUser), name});
    return address(name);
}

QString PostgresCluster::serverAddress() const
{
    return QStringLiteral("postgresql://%1@127.0.0.1:%2").arg(QString::fromLatin1(DatabaseUser)).arg(m_port);
}

QString PostgresCluster::address(const QString &database) const
{
    return serverAddress() + QLatin1Char('/') + database;
}

std::unique_ptr<PostgresCluster> PostgresCluster::makeStandby() const
{
    return std::unique_ptr<PostgresCluster>(new PostgresCluster(StandbyOf{*this}));
}

QString PostgresCluster::sameDatabase(const QString &address) const
{
    return this->address(QUrl(address).path().mid(1));
}

void PostgresCluster::pauseReplay()
{
    query(address(QStringLiteral("postgres")), QStringLiteral("SELECT pg_wal_replay_pause()"));
}

void PostgresCluster::resumeReplay()
{
    query(address(QStringLiteral("postgres")), QStringLiteral("SELECT pg_wal_replay_resume()"));
}

void PostgresCluster::catchUp()
{
    const QString written =
        m_primary->query(m_primary->address(QStringLiteral("postgres")), QStringLiteral("SELECT pg_current_wal_lsn()"))
            .trimmed();
    const QString replayed = QStringLiteral("SELECT pg_last_wal_replay_lsn() >= '%1'::pg_lsn").arg(written);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (query(address(QStringLiteral("postgres")), replayed).trimmed() != QLatin1String("t")) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the standby did not replay its primary's changes within a minute");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

QString PostgresCluster::query(const QString &address, const QString &statement) const
{
    return run(tool(QStringLiteral("psql")), {QStringLiteral("--no-psqlrc"), QStringLiteral("--tuples-only"),
                                              QStringLiteral("--no-align"), QStringLiteral("--dbname"), address,
                                              QStringLiteral("--command"), statement});
}

} // namespace tarvik::server::testing
