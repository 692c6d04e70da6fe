#include "network/protocol_connection.h"

#include <QHostAddress>

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik::server {

namespace {

// Time a client gets to take its answer and close before it is dropped.
constexpr std::chrono::milliseconds Grace{5000};

std::string peerAddress(int socket)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(socket, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return "unknown";
    QHostAddress host(reinterpret_cast<const sockaddr *>(&address));
    // An IPv4 client of a dual-stack listener shows as itself.
    bool isIpv4 = false;
    const quint32 ipv4 = host.toIPv4Address(&isIpv4);
    return (isIpv4 ? QHostAddress(ipv4) : host).toString().toStdString();
}

} // namespace

ProtocolConnection::ProtocolConnection(int socket, const ServerLimits &limits, QObject *parent)
    : QObject(parent),
      m_socket(socket),
      m_peer(peerAddress(socket)),
      m_limits(limits),
      m_readable(socket, QSocketNotifier::Read),
      m_writable(socket, QSocketNotifier::Write)
{
    ::fcntl(m_socket, F_SETFL, ::fcntl(m_socket, F_GETFL) | O_NONBLOCK);
    m_writable.setEnabled(false);
    connect(&m_readable, &QSocketNotifier::activated, this, &ProtocolConnection::readAvailable);
    connect(&m_writable, &QSocketNotifier::activated, this, &ProtocolConnection::writePending);

    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(m_limits.quietTime);
    connect(&m_quietTimer, &QTimer::timeout, this, &ProtocolConnection::deliver);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (!m_delivered)
            refuse("no complete message within " + std::to_string(m_limits.connectionTimeLimit.count()) + " ms");
        else if (m_answered)
            close(); // the answer was not taken in time
        // else the answer is on its way: the database's own time limits bound it
    });
    m_deadline.start(m_limits.connectionTimeLimit);
}

ProtocolConnection::~ProtocolConnection()
{
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    if (m_socket >= 0)
        ::close(m_socket);
}

void ProtocolConnection::readAvailable()
{
    char chunk[16384];
    for (;;) {
        const ssize_t count = ::recv(m_socket, chunk, sizeof chunk, 0);
        if (count > 0) {
            take(chunk, static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // End of input, or a reset.
        m_readable.setEnabled(false);
        if (count == 0)
            senderFinished();
        else
            close();
        return;
    }
}

void ProtocolConnection::take(const char *bytes, std::size_t count)
{
    if (m_delivered)
        return; // after the message: dropped
    m_reader.feed(std::string_view(bytes, count));
    if (m_reader.bytes().size() > static_cast<std::size_t>(m_limits.maxMessageBytes)) {
        refuse("the message is longer than " + std::to_string(m_limits.maxMessageBytes) + " bytes");
        return;
    }
    if (const std::optional<MessageError> error = m_reader.problem()) {
        m_quietTimer.stop();
        if (!error->incomplete)
            refuse(error->reason);
    } else if (m_reader.isGet()) {
        deliver();
    } else {
        // A SUBMIT may go on with further tests: wait for the quiet time.
        m_quietTimer.start();
    }
}

void ProtocolConnection::senderFinished()
{
    m_senderDone = true;
    if (m_answered && m_unsent.empty())
        close();
    else if (!m_delivered && !m_reader.bytes().empty())
        deliver();
    else if (!m_delivered)
        close(); // connected and left without a word
}

void ProtocolConnection::deliver()
{
    m_quietTimer.stop();
    m_delivered = true;
    emit messageReceived(this, m_reader.bytes());
}

void ProtocolConnection::refuse(const std::string &reason)
{
    m_quietTimer.stop();
    m_delivered = true;
    emit refusedEarly(this, reason);
}

void ProtocolConnection::answer(const std::string &text)
{
    if (m_socket < 0 || m_answered)
        return;
    m_answered = true;
    m_unsent = text;
    m_deadline.start(Grace);
    writePending();
}

void ProtocolConnection::writePending()
{
    while (!m_unsent.empty()) {
        const ssize_t count = ::send(m_socket, m_unsent.data(), m_unsent.size(), MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_writable.setEnabled(true);
            return;
        }
        if (count < 0) {
            close();
            return;
        }
        m_unsent.erase(0, static_cast<std::size_t>(count));
    }
    m_writable.setEnabled(false);
    // Our side is done; the socket closes when the client has read and closes too.
    ::shutdown(m_socket, SHUT_WR);
    if (m_senderDone)
        close();
}

void ProtocolConnection::close()
{
    if (m_socket < 0)
        return;
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    m_quietTimer.stop();
    m_deadline.stop();
    ::close(m_socket);
    m_socket = -1;
    emit finished(this);
}

} // namespace tarvik::server
