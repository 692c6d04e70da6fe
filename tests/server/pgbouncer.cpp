#include "pgbouncer.h"

#include "cluster_user.h"
#include "tcp_client.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <QUrl>

#include <stdexcept>

namespace tarvik::server::testing {

namespace {

const char *Program = "/usr/sbin/pgbouncer";
// Generous: a loaded machine may take long to start a process.
constexpr int StartLimitMs = 60000;
constexpr int StopLimitMs = 30000;

void writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
    file.close();
    handToClusterUser(path);
}

} // namespace

PgBouncer::PgBouncer(const QString &cluster) : m_port(freeLoopbackPort())
{
    if (!QFile::exists(QString::fromLatin1(Program)))
        throw std::runtime_error("PgBouncer is not installed (no /usr/sbin/pgbouncer); "
                                 "./tarvik.sh installs the package pgbouncer");
    if (!m_folder.isValid())
        throw std::runtime_error("cannot make a folder for PgBouncer");
    handToClusterUser(m_folder.path());
    writeSettings(cluster);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_folder.filePath(QStringLiteral("output.log")));
    startAsClusterUser(m_process, QString::fromLatin1(Program), {m_folder.filePath(QStringLiteral("pgbouncer.ini"))});
    waitUntilListening();
}

PgBouncer::~PgBouncer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(StopLimitMs))
        m_process.kill();
    m_process.waitForFinished(StopLimitMs);
}

QString PgBouncer::pooled(const QString &database) const
{
    QUrl address(database);
    address.setPort(m_port);
    return address.toString();
}

// Every database of the cluster under its own name; the users' file only
// names who may come in, since trust asks no password.
void PgBouncer::writeSettings(const QString &cluster) const
{
    const QUrl server(cluster);
    const QString users = m_folder.filePath(QStringLiteral("users.txt"));
    writeFile(users, QStringLiteral("\"%1\" \"\"\n").arg(server.userName()));
    writeFile(m_folder.filePath(QStringLiteral("pgbouncer.ini")),
              QStringLiteral("[databases]\n"
                             "* = host=%1 port=%2\n"
                             "[pgbouncer]\n"
                             "listen_addr = 127.0.0.1\n"
                             "listen_port = %3\n"
                             "unix_socket_dir =\n"
                             "auth_type = trust\n"
                             "auth_file = %4\n"
                             "pool_mode = transaction\n"
                             "default_pool_size = 2\n"
                             "max_client_conn = 500\n"
                             "logfile = %5\n"
                             "pidfile = %6\n")
                  .arg(server.host())
                  .arg(server.port())
                  .arg(m_port)
                  .arg(users, m_folder.filePath(QStringLiteral("pgbouncer.log")),
                       m_folder.filePath(QStringLiteral("pgbouncer.pid"))));
}

void PgBouncer::waitUntilListening()
{
    const QDeadlineTimer deadline(StartLimitMs);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            throw std::runtime_error("PgBouncer ended at its start: " + log());
        try {
            TcpClient probe(m_port);
            return;
        } catch (const std::runtime_error &) {
            QThread::msleep(50);
        }
    }
    throw std::runtime_error("PgBouncer did not listen in time: " + log());
}

std::string PgBouncer::log() const
{
    QFile file(m_folder.filePath(QStringLiteral("pgbouncer.log")));
    QFile output(m_folder.filePath(QStringLiteral("output.log")));
    const QByteArray text = (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()) +
                            (output.open(QIODevice::ReadOnly) ? output.readAll() : QByteArray());
    return text.toStdString();
}

} // namespace tarvik::server::testing
