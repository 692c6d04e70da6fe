#pragma once

#include <chrono>

namespace tarvik::server {

// What one client may take of the server.
struct ServerLimits {
    // A SUBMIT ends where the sender stops: this long without a byte after a
    // complete last field.
    std::chrono::milliseconds quietTime{250};
    // A connection that has not sent a whole message (a whole HTTP request)
    // by then is answered and dropped, however slowly it still sends; and a
    // client waiting on the database has its answer by then.
    std::chrono::milliseconds connectionTimeLimit{10000};
    // An HTTP connection may wait this long for its first or its next request.
    std::chrono::milliseconds idleTime{5000};
    // Largest message over TCP, and largest SendStr over HTTP, in bytes.
    int maxMessageBytes = 64 * 1024;
    // Open TCP connections; one more is told that the server is busy.
    int maxConnections = 256;
    // Open HTTP connections; one more is answered 503 and closed.
    int maxWebConnections = 1024;
    // Open connections from one address, on each side: no client shuts
    // others out by holding connections open.
    int maxConnectionsPerAddress = 32;
    // Pages read from the database at once; further requests wait their turn.
    int httpThreads = 16;
    // Pages waiting for a reader; one more is answered 503 at once.
    int pageQueue = 256;
    // How long the leaderboard and its data are answered from one render;
    // 0 renders every request.
    std::chrono::milliseconds pageCacheTime{1000};
    // Leaderboard pages kept at once: every page query is a page of its own.
    int cachedPages = 256;
    // Submissions one address may send a minute, both sides together.
    int submissionsPerMinute = 30;
};

} // namespace tarvik::server
