#pragma once

#include "http/http_request.h"
#include "http/http_response.h"
#include "network/server_limits.h"
#include "network/socket_channel.h"

#include <QObject>
#include <QTimer>

namespace tarvik::server {

// One client of the web side. It reads requests one at a time and answers
// each in turn; requests sent ahead (pipelined) wait in the socket until the
// one before is answered. Every stage has a bound: the wait for a request
// (idle time), the whole of a request from its first byte to its answer (the
// connection time limit, however slowly it arrives), and the client taking
// the answer (a grace time). A client therefore holds no thread and no more
// than its socket, however slow it is.
class HttpConnection : public QObject {
    Q_OBJECT

public:
    HttpConnection(int socket, const ServerLimits &limits, QObject *parent);

    const std::string &peer() const { return m_channel.peer(); }
    // Answers the request last received, once. Until then `fallback` is
    // what the client gets when the connection time limit runs out.
    void awaitAnswer(http::Response fallback);
    void answer(const http::Response &response);
    // Answers a connection the server will not take, and closes.
    void turnAway(const http::Response &response);

signals:
    void requestReceived(HttpConnection *connection, const http::Request &request);
    // The socket is closed; the connection may be deleted.
    void finished(HttpConnection *connection);

private:
    enum class Stage { Idle, Reading, Waiting, Answering, Closing };

    void take(std::string_view bytes);
    void readNext();
    void timeIsUp();
    void inputEnded();
    void answerSent();
    void send(const http::Response &response, bool keepAlive);
    void waitForRequest();
    void close();

    ServerLimits m_limits;
    SocketChannel m_channel;
    http::RequestReader m_reader;
    QTimer m_timer;
    Stage m_stage = Stage::Idle;
    http::Request m_request;
    http::Response m_fallback;
    bool m_inputEnded = false;
    bool m_closed = false;
};

} // namespace tarvik::server
