#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

#include <optional>

namespace tarvik::testing {

// A loopback web server that takes one form post: it keeps the request line
// and the body of the first POST and answers every request with a short page.
class FormReceiver : public QObject {
public:
    FormReceiver()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *client = m_server.nextPendingConnection();
            QObject::connect(client, &QTcpSocket::readyRead, this, [this, client] { read(client); });
        });
    }

    QString address() const { return "http://127.0.0.1:" + QString::number(m_server.serverPort()); }
    bool posted() const { return m_body.has_value(); }
    QByteArray requestLine() const { return m_requestLine; }
    QByteArray body() const { return m_body.value_or(QByteArray()); }

private:
    void read(QTcpSocket *client)
    {
        QByteArray &request = m_requests[client];
        request += client->readAll();
        const qsizetype headerEnd = request.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray header = request.left(headerEnd);
        const qsizetype length = contentLength(header);
        if (request.size() < headerEnd + 4 + length)
            return;
        if (header.startsWith("POST ") && !m_body) {
            m_requestLine = header.left(header.indexOf("\r\n"));
            m_body = request.mid(headerEnd + 4, length);
        }
        client->write(
            "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
        client->disconnectFromHost();
    }

    static qsizetype contentLength(const QByteArray &header)
    {
        for (const QByteArray &line : header.split('\n'))
            if (line.toLower().startsWith("content-length:"))
                return line.mid(15).trimmed().toLongLong();
        return 0;
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_requests;
    QByteArray m_requestLine;
    std::optional<QByteArray> m_body;
};

} // namespace tarvik::testing
