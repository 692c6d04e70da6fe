#pragma once

#include "network/server_limits.h"
#include "protocol/message.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <string>

namespace tarvik::server {

// One client of the TCP side, on the socket the listener accepted. It
// collects bytes until the message is whole: a GET as soon as its id is
// complete, a SUBMIT when its last field is complete and the sender then
// stays quiet for a moment, or either when the sender half-closes. It answers
// with one text and closes.
//
// The socket is driven directly rather than through QTcpSocket, which closes
// both directions as soon as the sender half-closes: the answer to a message
// ended that way must still go out.
class ProtocolConnection : public QObject {
    Q_OBJECT

public:
    ProtocolConnection(int socket, const ServerLimits &limits, QObject *parent);
    ~ProtocolConnection() override;

    const std::string &peer() const { return m_peer; }
    // The message as read while it arrived, so it is not read a second time.
    ParsedMessage message() const { return m_reader.message(); }
    // Sends the answer, then closes once the client has let go (or after a
    // short grace time); later input is read and dropped, so the answer is
    // never cut off by a reset.
    void answer(const std::string &text);

signals:
    // A whole message (or what came before a half-close) to act on.
    void messageReceived(ProtocolConnection *connection, const std::string &message);
    // Refused before it was whole: too long, too slow or not a message.
    void refusedEarly(ProtocolConnection *connection, const std::string &reason);
    // The socket is closed; the connection may be deleted.
    void finished(ProtocolConnection *connection);

private:
    void readAvailable();
    void take(const char *bytes, std::size_t count);
    void senderFinished();
    void writePending();
    void deliver();
    void refuse(const std::string &reason);
    void close();

    int m_socket;
    std::string m_peer;
    ServerLimits m_limits;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    MessageReader m_reader;
    std::string m_unsent;
    QTimer m_quietTimer;
    QTimer m_deadline;
    bool m_delivered = false;
    bool m_senderDone = false;
    bool m_answered = false;
};

} // namespace tarvik::server
