#include "server_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QThread>

#include <stdexcept>

namespace tarvik::server::testing {

namespace {

// Generous: a loaded machine may take long to start a process.
constexpr int StartLimitMs = 60000;
constexpr int StopLimitMs = 30000;

QString serverBinary()
{
    return QStringLiteral(TARVIK_SERVER_BINARY);
}

} // namespace

ServerProcess::ServerProcess(QString database, QStringList extraArguments)
    : m_database(std::move(database)),
      m_extraArguments(std::move(extraArguments))
{
}

ServerProcess::~ServerProcess()
{
    if (m_process.state() != QProcess::NotRunning)
        stop();
}

void ServerProcess::start()
{
    launch();
    awaitPorts();
}

void ServerProcess::launch()
{
    const QString logFile = m_logFolder.filePath(QStringLiteral("server.log"));
    QFile::remove(logFile);
    m_process.setStandardErrorFile(logFile);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(serverBinary(),
                    QStringList{QStringLiteral("--address"), QStringLiteral("127.0.0.1"), QStringLiteral("--tcp-port"),
                                QStringLiteral("0"), QStringLiteral("--http-port"), QStringLiteral("0"),
                                QStringLiteral("--database"), m_database,
                                // Tests send from one address as fast as they like; the
                                // tests of the rate give their own limit, which wins.
                                QStringLiteral("--max-submissions-per-minute"), QStringLiteral("1000000")} +
                        m_extraArguments);
}

void ServerProcess::awaitPorts()
{
    if (!m_process.waitForStarted(StartLimitMs))
        throw std::runtime_error("tarvik-server did not start: " + m_process.errorString().toStdString());
    static const QRegularExpression ports(QStringLiteral("listening on TCP port (\\d+) and HTTP port (\\d+)"));
    const QDeadlineTimer deadline(StartLimitMs);
    while (!deadline.hasExpired()) {
        const QRegularExpressionMatch match = ports.match(QString::fromStdString(log()));
        if (match.hasMatch()) {
            m_tcpPort = match.captured(1).toInt();
            m_httpPort = match.captured(2).toInt();
            return;
        }
        if (m_process.waitForFinished(20))
            break;
    }
    throw std::runtime_error("tarvik-server did not report its ports; its log:\n" + log());
}

int ServerProcess::stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(StopLimitMs)) {
        m_process.kill();
        m_process.waitForFinished(StopLimitMs);
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

void ServerProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(StopLimitMs);
}

std::string ServerProcess::webAddress() const
{
    return "http://127.0.0.1:" + std::to_string(m_httpPort);
}

std::string ServerProcess::log() const
{
    QFile file(m_logFolder.filePath(QStringLiteral("server.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

ToolRun runServerTool(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(serverBinary(), arguments);
    if (!process.waitForFinished(StartLimitMs))
        return {};
    return {process.exitCode(), process.readAll().toStdString()};
}

QJsonArray exportedResults(const QString &database)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("results.json"));
    const ToolRun run = runServerTool({QStringLiteral("--database"), database, QStringLiteral("--export"), file});
    QFile exported(file);
    if (run.status != 0 || !exported.open(QIODevice::ReadOnly))
        throw std::runtime_error("the export failed: " + run.output);
    return QJsonDocument::fromJson(exported.readAll()).array();
}

} // namespace tarvik::server::testing
