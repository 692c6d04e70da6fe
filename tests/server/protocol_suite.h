#pragma once

#include "server_process.h"
#include "tcp_client.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <ostream>
#include <string>

namespace tarvik::server::testing {

// A kind of database the protocol suite runs against: gives the --database
// argument of a new, empty database (files may go into `folder`).
struct Backend {
    const char *name;
    QString (*newDatabase)(const QTemporaryDir &folder);
};

inline void PrintTo(const Backend &backend, std::ostream *out)
{
    *out << backend.name;
}

// The TCP protocol against the real server process, once per backend.
class ProtocolTest : public ::testing::TestWithParam<Backend> {
protected:
    // The server's log explains a failure.
    void TearDown() override
    {
        if (HasFailure() && m_server)
            std::cerr << "tarvik-server log:\n" << m_server->log();
    }
    void startServer(const QStringList &extraArguments = {});
    std::string send(const std::string &message);
    // Sends, half-closes, and gives the answer.
    std::string sendAndHalfClose(const std::string &message);

    QTemporaryDir m_folder;
    QString m_database = GetParam().newDatabase(m_folder);
    std::unique_ptr<ServerProcess> m_server;
};

} // namespace tarvik::server::testing
