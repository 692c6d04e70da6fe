#include "tcp_client.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik::server::testing {

int freeLoopbackPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

TcpClient::TcpClient(int port, const char *from)
{
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket >= 0 && from) {
        sockaddr_in source{};
        source.sin_family = AF_INET;
        if (::inet_pton(AF_INET, from, &source.sin_addr) != 1 ||
            ::bind(m_socket, reinterpret_cast<sockaddr *>(&source), sizeof source) != 0)
            throw std::runtime_error(std::string("cannot connect from ") + from);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_socket < 0 || ::connect(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
    // Each send goes out as it is, so pieces arrive as pieces.
    const int on = 1;
    ::setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

TcpClient::~TcpClient()
{
    ::close(m_socket);
}

void TcpClient::send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0)
            throw std::runtime_error("the server closed the connection while sending");
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void TcpClient::halfClose()
{
    ::shutdown(m_socket, SHUT_WR);
}

bool TcpClient::answerWaiting(std::chrono::milliseconds wait)
{
    pollfd ready{m_socket, POLLIN, 0};
    return ::poll(&ready, 1, static_cast<int>(wait.count())) > 0;
}

std::string TcpClient::receiveAll(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string received;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{m_socket, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) == 0)
            throw std::runtime_error("the server did not close the connection; it sent: " + received);
        char chunk[4096];
        const ssize_t count = ::recv(m_socket, chunk, sizeof chunk, 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return received;
        received.append(chunk, static_cast<std::size_t>(count));
    }
}

std::string exchange(int port, std::string_view message)
{
    TcpClient client(port);
    client.send(message);
    return client.receiveAll();
}

std::string httpExchange(int port, const std::string &method, const std::string &target, const std::string &form)
{
    TcpClient client(port);
    std::string request = method + " " + target + " HTTP/1.1\r\nHost: test\r\nConnection: close\r\n";
    if (!form.empty())
        request += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " + std::to_string(form.size()) +
                   "\r\n";
    client.send(request + "\r\n" + form);
    return client.receiveAll();
}

std::string httpGet(int port, const std::string &target)
{
    return httpExchange(port, "GET", target);
}

} // namespace tarvik::server::testing
