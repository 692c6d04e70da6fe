#pragma once

#include <chrono>

namespace tarvik::server {

// What one client may take of the server.
struct ServerLimits {
    // A SUBMIT ends where the sender stops: this long without a byte after a
    // complete last field.
    std::chrono::milliseconds quietTime{250};
    // A connection that has not sent a whole message by then is answered and
    // dropped, however slowly it still sends.
    std::chrono::milliseconds connectionTimeLimit{10000};
    // Largest message over TCP, and largest SendStr over HTTP, in bytes.
    int maxMessageBytes = 64 * 1024;
    // Open TCP connections; one more is told that the server is busy.
    int maxConnections = 256;
    // HTTP requests served at once; further connections wait their turn.
    int httpThreads = 16;
};

} // namespace tarvik::server
