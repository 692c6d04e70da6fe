#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// Reading HTTP/1.x requests from bytes as they arrive, without Qt, so that
// the web side's framing is tested and fuzzed on its own.
namespace tarvik::server::http {

struct Request {
    std::string method;
    // As sent, percent escapes and all: what the request log shows.
    std::string target;
    // The target's path, decoded.
    std::string path;
    // The query's pairs in order, decoded ("+" is a blank).
    std::vector<std::pair<std::string, std::string>> query;
    // The client asked to keep the connection for another request.
    bool keepAlive = false;

    // The first value of `key` in the query, or nullptr.
    const std::string *parameter(std::string_view key) const;
};

// A request the reader will not take; the connection closes after the
// answer, since where the next request would begin is unknown.
struct Refusal {
    int status = 400;
    std::string reason;
};

// Nothing yet: the request so far is incomplete.
struct Incomplete {};

using ReadResult = std::variant<Incomplete, Request, Refusal>;

// Takes a connection's bytes in the pieces they arrive in and gives its
// requests one by one, in order. Each arriving piece is looked at once,
// however slowly a request comes.
class RequestReader {
public:
    // `maxHeadBytes`: the request line and the header fields together.
    // `maxBodyBytes`: a body announced by Content-Length, read and dropped.
    RequestReader(std::size_t maxHeadBytes, std::size_t maxBodyBytes);

    void feed(std::string_view bytes);
    // The next whole request, taken out of what was fed; Incomplete while
    // it has not all arrived; a Refusal for bytes that are not a request
    // this server takes, after which the reader gives nothing more.
    ReadResult next();
    // Some bytes of a next request have arrived.
    bool hasPending() const;

private:
    std::size_t m_maxHeadBytes;
    std::size_t m_maxBodyBytes;
    std::string m_buffer;
    // Where the search for the head's end goes on.
    std::size_t m_scanned = 0;
    bool m_refused = false;
};

} // namespace tarvik::server::http
