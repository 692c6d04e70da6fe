#pragma once

#include "submit/server_address.h"

#include <QTcpSocket>

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace tarvik::submit {

// How long an exchange with the result server may take.
struct ExchangeBounds {
    // For the connection: a server that neither accepts nor refuses (a
    // dropped packet, a full queue) counts as unreachable after this.
    std::chrono::milliseconds connect{10000};
    // For the whole reply, from the moment the message was sent.
    std::chrono::milliseconds reply{10000};
    // The most bytes of a reply that are kept; a server that sends more is
    // cut off there, so an endless reply cannot fill the memory.
    std::size_t replyBytes = 1 << 20;
};

// What the server answered: at most ExchangeBounds::replyBytes of it.
struct ServerReply {
    std::string bytes;
    bool cut = false; // the server sent more, which was dropped
};

// One connection to the result server, for one exchange: connect, send one
// message, read the reply. The connection closes with the object. The waits
// run a local event loop, so the program's windows and timers stay alive.
class wsocket {
public:
    explicit wsocket(ExchangeBounds bounds = {});

    // Connects to `address`; false when the server refused, could not be
    // reached, or did not answer within the bound.
    bool Connect(const ServerAddress &address);

    // Sends `message` and reads the reply until the server closes the
    // connection, the reply bound is over or the reply has its most bytes,
    // so a reply that arrives in several pieces is read whole. Nothing when
    // no byte arrived.
    std::optional<ServerReply> exchange(const std::string &message);

private:
    ExchangeBounds m_bounds;
    QTcpSocket ws;
};

} // namespace tarvik::submit
