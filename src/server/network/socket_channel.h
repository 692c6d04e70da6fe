#pragma once

#include <QSocketNotifier>

#include <functional>
#include <string>
#include <string_view>

namespace tarvik::server {

// A non-blocking stream socket driven from the event loop: what arrives is
// handed on as it comes, what is sent goes out as the peer takes it.
//
// The socket is driven directly rather than through QTcpSocket, which closes
// both directions as soon as the peer half-closes: an answer to a request
// ended that way must still go out.
class SocketChannel {
public:
    struct Events {
        std::function<void(std::string_view)> bytes;
        // The peer half-closed: nothing more will arrive.
        std::function<void()> endOfInput;
        // Everything sent so far has gone out.
        std::function<void()> sent;
        // A reset or another error: the channel is closed.
        std::function<void()> broken;
    };

    SocketChannel(int socket, Events events);
    ~SocketChannel();
    SocketChannel(const SocketChannel &) = delete;
    SocketChannel &operator=(const SocketChannel &) = delete;

    // The peer's address as text, an IPv4 client of a dual-stack listener as itself.
    const std::string &peer() const { return m_peer; }
    bool isOpen() const { return m_socket >= 0; }
    bool isSending() const { return !m_unsent.empty(); }

    void send(std::string_view bytes);
    // No more to send: the peer reads to the end of what was sent.
    void finishSending();
    // Input that still arrives waits in the socket (and then holds the
    // peer back) until reading resumes.
    void stopReading();
    void resumeReading();
    void close();

private:
    void readAvailable();
    void writePending();

    int m_socket;
    std::string m_peer;
    Events m_events;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    std::string m_unsent;
    bool m_inputEnded = false;
};

} // namespace tarvik::server
