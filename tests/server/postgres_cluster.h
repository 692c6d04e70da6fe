#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace tarvik::server::testing {

// A throwaway PostgreSQL cluster from Debian's binaries, run by an
// unprivileged user (the "postgres" system user when the tests run as root,
// which PostgreSQL refuses), listening on 127.0.0.1 at a free port with its
// socket in its own folder. Stopped and removed at the end.
class PostgresCluster {
public:
    // Creates and starts the cluster; throws std::runtime_error with the
    // reason when PostgreSQL is missing or will not start.
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;

    void start();
    void stop();
    // Stops every process of the cluster in its tracks (SIGSTOP) and lets
    // them go on (SIGCONT): a database that hangs, its connections open.
    void freeze();
    void thaw();
    // A new empty database; gives its postgresql:// address.
    QString createDatabase();
    // The cluster's postgresql:// address without a database: its user, host and port.
    QString serverAddress() const;

    // A hot standby of this cluster: a copy made with pg_basebackup -R that
    // streams this cluster's changes over loopback and replays them, started
    // on a port of its own. It has every database this cluster has, under
    // the same names; stopped and removed with the object.
    std::unique_ptr<PostgresCluster> makeStandby() const;
    // The address of the database `address` names (on any cluster) on this one.
    QString sameDatabase(const QString &address) const;
    // Of a standby: stops replaying what its primary sends, and goes on.
    void pauseReplay();
    void resumeReplay();
    // Of a standby: waits until it has replayed everything its primary had
    // written when asked; throws when that takes more than a minute.
    void catchUp();
    // Runs one SQL statement in the database at `address`; gives what it
    // prints, unaligned and without headings.
    QString query(const QString &address, const QString &statement) const;

private:
    struct StandbyOf {
        const PostgresCluster &primary;
    };
    explicit PostgresCluster(StandbyOf source);
    void prepareFolder();
    QString tool(const QString &name) const;
    QString dataFolder() const;
    QString address(const QString &database) const;
    void signalProcesses(int signal) const;
    // Runs a PostgreSQL program as the cluster's user; gives what it printed,
    // throws when it fails.
    QString run(const QString &program, const QStringList &arguments) const;

    QString m_binaries;
    QTemporaryDir m_folder{QStringLiteral("/tmp/tarvik-postgres-XXXXXX")}; // a path the postgres user can reach
    int m_port = 0;
    int m_databases = 0;
    bool m_running = false;
    const PostgresCluster *m_primary = nullptr; // of a standby
};

} // namespace tarvik::server::testing
