#include "network/socket_channel.h"

#include <QHostAddress>

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik::server {

namespace {

std::string peerAddress(int socket)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(socket, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return "unknown";
    QHostAddress host(reinterpret_cast<const sockaddr *>(&address));
    bool isIpv4 = false;
    const quint32 ipv4 = host.toIPv4Address(&isIpv4);
    return (isIpv4 ? QHostAddress(ipv4) : host).toString().toStdString();
}

} // namespace

SocketChannel::SocketChannel(int socket, Events events)
    : m_socket(socket),
      m_peer(peerAddress(socket)),
      m_events(std::move(events)),
      m_readable(socket, QSocketNotifier::Read),
      m_writable(socket, QSocketNotifier::Write)
{
    ::fcntl(m_socket, F_SETFL, ::fcntl(m_socket, F_GETFL) | O_NONBLOCK);
    m_writable.setEnabled(false);
    QObject::connect(&m_readable, &QSocketNotifier::activated, [this] { readAvailable(); });
    QObject::connect(&m_writable, &QSocketNotifier::activated, [this] { writePending(); });
}

SocketChannel::~SocketChannel()
{
    close();
}

void SocketChannel::readAvailable()
{
    char chunk[16384];
    while (m_socket >= 0 && m_readable.isEnabled()) {
        const ssize_t count = ::recv(m_socket, chunk, sizeof chunk, 0);
        if (count > 0) {
            m_events.bytes(std::string_view(chunk, static_cast<std::size_t>(count)));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        m_readable.setEnabled(false);
        if (count == 0) {
            m_inputEnded = true;
            m_events.endOfInput();
        } else {
            close();
            m_events.broken();
        }
        return;
    }
}

void SocketChannel::send(std::string_view bytes)
{
    if (m_socket < 0)
        return;
    m_unsent.append(bytes);
    writePending();
}

void SocketChannel::writePending()
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
            m_events.broken();
            return;
        }
        m_unsent.erase(0, static_cast<std::size_t>(count));
    }
    m_writable.setEnabled(false);
    m_events.sent();
}

void SocketChannel::finishSending()
{
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_WR);
}

void SocketChannel::stopReading()
{
    m_readable.setEnabled(false);
}

void SocketChannel::resumeReading()
{
    if (m_socket < 0 || m_inputEnded || m_readable.isEnabled())
        return;
    m_readable.setEnabled(true);
    // What arrived meanwhile raises no new notice.
    readAvailable();
}

void SocketChannel::close()
{
    if (m_socket < 0)
        return;
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    ::close(m_socket);
    m_socket = -1;
}

} // namespace tarvik::server
