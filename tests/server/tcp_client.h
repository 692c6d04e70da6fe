#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tarvik::server::testing {

// A plain TCP client of 127.0.0.1 that can half-close its side, as a sender
// may when its message is complete.
class TcpClient {
public:
    // `from`: another loopback address to connect from ("127.0.0.9"), so a
    // test can be several clients at once.
    explicit TcpClient(int port, const char *from = nullptr);
    ~TcpClient();
    TcpClient(const TcpClient &) = delete;
    TcpClient &operator=(const TcpClient &) = delete;

    void send(std::string_view bytes);
    void halfClose();
    // Whether the server has sent something (or closed) within `wait`.
    bool answerWaiting(std::chrono::milliseconds wait);
    // Everything the server sends until it closes the connection. Throws
    // std::runtime_error when it has not closed within `limit`.
    std::string receiveAll(std::chrono::milliseconds limit = std::chrono::seconds(30));

private:
    int m_socket = -1;
};

// A loopback port no one listens on just now, for a program the tests start.
int freeLoopbackPort();

// Sends `message` and gives the whole answer (the server ends a SUBMIT by
// its quiet time and a GET at once).
std::string exchange(int port, std::string_view message);

// One HTTP/1.1 request on a connection of its own, a form body when there
// is one; gives the whole response, head included.
std::string httpExchange(int port, const std::string &method, const std::string &target, const std::string &form = {});
std::string httpGet(int port, const std::string &target);

} // namespace tarvik::server::testing
