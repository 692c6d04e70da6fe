#pragma once

#include "network/server_limits.h"
#include "storage/database_settings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvik::server {

// What the command line asks of tarvik-server.
struct ServerOptions {
    enum class Task { Serve, Remove, Export, Dump, Review, Approve, Refuse };

    Task task = Task::Serve;
    QString address = QStringLiteral("0.0.0.0");
    int tcpPort = 10210;
    int httpPort = 10280;
    DatabaseSettings database;
    // A hot standby of `database`, for the pages that only show results.
    std::optional<DatabaseSettings> readDatabase;
    ServerLimits limits;
    qint64 resultId = 0; // of --remove, --approve and --refuse
    QString exportFile;  // of --export and --dump
    // The dump the web pages offer at /dump.json.gz, as the last --dump
    // wrote it; empty: none.
    QString offeredDump;
    QString why; // of --refuse and --approve
    // Where people reach the web pages, for the management addresses in
    // replies; empty: this machine's name and the web port.
    QString webAddress;
};

// Reads the command line. --help and --version print and end the process;
// a wrong option ends it with a message on standard error and status 2.
ServerOptions parseServerOptions(const QStringList &arguments);

} // namespace tarvik::server
