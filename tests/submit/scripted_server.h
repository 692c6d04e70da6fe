#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>

namespace tarvik::testing {

// A loopback server that answers every message with a reply written in
// pieces, each after a pause, and then closes the connection; with no
// pieces it accepts and never answers.
class ScriptedServer : public QObject {
public:
    explicit ScriptedServer(QList<QByteArray> pieces, std::chrono::milliseconds pause = std::chrono::milliseconds(200))
        : m_pieces(std::move(pieces)),
          m_pause(pause)
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    quint16 port() const { return m_server.serverPort(); }
    int connections() const { return m_connections; }
    QByteArray received() const { return m_received; }

private:
    void accept()
    {
        QTcpSocket *client = m_server.nextPendingConnection();
        ++m_connections;
        QObject::connect(client, &QTcpSocket::readyRead, this, [this, client] {
            const bool first = m_received.isEmpty();
            m_received += client->readAll();
            if (first && !m_pieces.isEmpty())
                answer(client, 0);
        });
    }

    void answer(QTcpSocket *client, qsizetype piece)
    {
        if (piece == m_pieces.size()) {
            client->disconnectFromHost();
            return;
        }
        client->write(m_pieces[piece]);
        client->flush();
        QTimer::singleShot(m_pause, client, [this, client, piece] { answer(client, piece + 1); });
    }

    QTcpServer m_server;
    QList<QByteArray> m_pieces;
    std::chrono::milliseconds m_pause;
    int m_connections = 0;
    QByteArray m_received;
};

} // namespace tarvik::testing
