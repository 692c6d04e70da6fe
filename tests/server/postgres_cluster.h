#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

private:
    QString tool(const QString &name) const;
    void signalProcesses(int signal) const;
    // Runs a PostgreSQL program as the cluster's user; throws when it fails.
    void run(const QString &program, const QStringList &arguments) const;

    QString m_binaries;
    QTemporaryDir m_folder{QStringLiteral("/tmp/tarvik-postgres-XXXXXX")}; // a path the postgres user can reach
    int m_port = 0;
    int m_databases = 0;
    bool m_running = false;
};

} // namespace tarvik::server::testing
