#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace tarvik::server::testing {

// A real PgBouncer (Debian's package) in front of a PostgreSQL cluster, as
// large sites run the result server: transaction pooling with a pool of two
// server connections per database, so clients share them. Listens on
// 127.0.0.1 at a free port and lets the cluster's users in without a
// password. Run by the cluster's user when the tests run as root; stopped
// at the end.
class PgBouncer {
public:
    // `cluster`: the cluster's postgresql:// address (user, host, port).
    // Throws std::runtime_error with the reason when PgBouncer is missing or
    // will not start.
    explicit PgBouncer(const QString &cluster);
    ~PgBouncer();
    PgBouncer(const PgBouncer &) = delete;
    PgBouncer &operator=(const PgBouncer &) = delete;

    // The address of a database of the cluster, reached through the pooler.
    QString pooled(const QString &database) const;

private:
    void writeSettings(const QString &cluster) const;
    void waitUntilListening();
    std::string log() const;

    QTemporaryDir m_folder{QStringLiteral("/tmp/tarvik-pgbouncer-XXXXXX")}; // a path the postgres user can reach
    QProcess m_process;
    int m_port = 0;
};

} // namespace tarvik::server::testing
