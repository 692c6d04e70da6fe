#pragma once

#include <QJsonArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace tarvik::server::testing {

// The real tarvik-server on 127.0.0.1, on ports the system picks, with its
// log in a file. Tests of the server and of the program's submission both
// start it this way.
class ServerProcess {
public:
    // `database`: an SQLite file or a postgresql:// address.
    explicit ServerProcess(QString database, QStringList extraArguments = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    // Starts the process and waits for the line that names its ports.
    // Throws std::runtime_error, with the log, when it does not come.
    void start();
    // The two halves of start(), so that several servers start at one moment.
    void launch();
    void awaitPorts();
    // SIGTERM, then waits for the end; gives the exit status.
    int stop();
    // SIGKILL: the process ends in its tracks.
    void kill();

    int tcpPort() const { return m_tcpPort; }
    int httpPort() const { return m_httpPort; }
    std::string webAddress() const;
    std::string log() const;

private:
    QString m_database;
    QStringList m_extraArguments;
    QTemporaryDir m_logFolder;
    QProcess m_process;
    int m_tcpPort = 0;
    int m_httpPort = 0;
};

// Runs the server binary with `arguments` to its end (for --remove and
// --export); gives the exit status and what it printed.
struct ToolRun {
    int status = -1;
    std::string output;
};
ToolRun runServerTool(const QStringList &arguments);

// Every result of `database`, as the server's --export writes them. Throws
// std::runtime_error, with what the tool printed, when the export fails.
QJsonArray exportedResults(const QString &database);

} // namespace tarvik::server::testing
