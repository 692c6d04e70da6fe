#include "submit/wsocket.h"

#include <QEventLoop>
#include <QTimer>

namespace tarvik::submit {

namespace {

// Runs a local event loop until `done` says so or `bound` is over; `done` is
// asked again after every signal of `socket` that can change its answer.
template <typename Done>
void waitOn(QTcpSocket &socket, std::chrono::milliseconds bound, Done done)
{
    if (done())
        return;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (done())
            loop.quit();
    };
    QObject::connect(&socket, &QTcpSocket::stateChanged, &loop, check);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, check);
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, check);
    deadline.start(bound);
    loop.exec();
}

} // namespace

wsocket::wsocket(ExchangeBounds bounds) : m_bounds(bounds)
{
    // Qt reads from the system only this far ahead of the reply's reader.
    ws.setReadBufferSize(64 * 1024);
}

bool wsocket::Connect(const ServerAddress &address)
{
    ws.connectToHost(QString::fromStdString(address.host), address.port);
    waitOn(ws, m_bounds.connect, [this] {
        return ws.state() == QAbstractSocket::ConnectedState || ws.state() == QAbstractSocket::UnconnectedState;
    });
    if (ws.state() == QAbstractSocket::ConnectedState)
        return true;
    ws.abort();
    return false;
}

std::optional<ServerReply> wsocket::exchange(const std::string &message)
{
    const auto most = static_cast<qint64>(m_bounds.replyBytes);
    QByteArray reply;
    bool cut = false;
    // Reads what the bound still allows; one byte more tells that the
    // server sent too much.
    const auto take = [&] {
        reply += ws.read(most + 1 - reply.size());
        cut = reply.size() > most;
        return cut;
    };
    ws.write(message.data(), static_cast<qint64>(message.size()));
    waitOn(ws, m_bounds.reply, [&] { return take() || ws.state() == QAbstractSocket::UnconnectedState; });
    if (!cut)
        take();
    ws.abort();
    if (reply.isEmpty())
        return std::nullopt;
    reply.truncate(most);
    return ServerReply{reply.toStdString(), cut};
}

} // namespace tarvik::submit
