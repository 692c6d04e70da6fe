#pragma once

#include "network/server_limits.h"
#include "network/socket_channel.h"
#include "protocol/message.h"

#include <QObject>
#include <QTimer>

#include <string>

namespace tarvik::server {

// One client of the TCP side, on the socket the listener accepted. It
// collects bytes until the message is whole: a GET as soon as its id is
// complete, a SUBMIT when its last field is complete and the sender then
// stays quiet for a moment, or either when the sender half-closes. It answers
// with one text and closes.
class ProtocolConnection : public QObject {
    Q_OBJECT

public:
    ProtocolConnection(int socket, const ServerLimits &limits, QObject *parent);
    ~ProtocolConnection() override;

    const std::string &peer() const { return m_channel.peer(); }
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
    // The message was whole, yet no answer came within the connection's
    // time limit: the database did not answer.
    void unanswered(ProtocolConnection *connection);
    // The socket is closed; the connection may be deleted.
    void finished(ProtocolConnection *connection);

private:
    void take(std::string_view bytes);
    void senderFinished();
    void answerSent();
    void timeIsUp();
    void deliver();
    void refuse(const std::string &reason);
    void close();

    ServerLimits m_limits;
    SocketChannel m_channel;
    MessageReader m_reader;
    QTimer m_quietTimer;
    QTimer m_deadline;
    bool m_delivered = false;
    bool m_senderDone = false;
    bool m_answered = false;
    bool m_closed = false;
};

} // namespace tarvik::server
