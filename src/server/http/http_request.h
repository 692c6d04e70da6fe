#pragma once

#include <cstddef>
#include <optional>
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
    // The query's pairs in order, decoded ("+" is a blank). A piece without
    // "=" has an empty value; empty pieces ("a=1&&b=2") give no pair. An
    // escape that is not "%" and two hex digits stays as written. Decoded
    // bytes may be anything, NUL included: whoever uses them checks them.
    std::vector<std::pair<std::string, std::string>> query;
    // The client asked to keep the connection for another request.
    bool keepAlive = false;
    // The body's pairs, read as a form (application/x-www-form-urlencoded)
    // by the rules of the query.
    std::vector<std::pair<std::string, std::string>> form;

    // The first value of `key` in the query, or nullptr.
    const std::string *parameter(std::string_view key) const;
    // The first value of `key` in the form, or nullptr.
    const std::string *formField(std::string_view key) const;

    bool operator==(const Request &) const = default;
};

// A request the reader will not take; the connection closes after the
// answer, since where the next request would begin is unknown.
struct Refusal {
    int status = 400;
    std::string reason;

    bool operator==(const Refusal &) const = default;
};

// Nothing yet: the request so far is incomplete.
struct Incomplete {
    bool operator==(const Incomplete &) const = default;
};

using ReadResult = std::variant<Incomplete, Request, Refusal>;

// Takes a connection's bytes in the pieces they arrive in and gives its
// requests one by one, in order. Each arriving piece is looked at once,
// however slowly a request comes.
//
// Lines may end in CRLF or a bare LF. A head that does not fit in
// maxHeadBytes is refused as soon as that is known: 414 when its request line
// alone does not fit, else 431. Refused with 400: a malformed request line
// (an empty line before it included), a target that is not a path or holds
// a blank or control byte, a field name that is not a token (a blank before
// the colon), a folded field line, a control byte in a field value, an
// HTTP/1.1 request without Host, two Host fields, a Content-Length that is
// not a number or given twice, Content-Length beside Transfer-Encoding.
// Versions other than 1.0 and 1.1 get 505, Transfer-Encoding alone 501, a
// body above maxBodyBytes 413.
class RequestReader {
public:
    // `maxHeadBytes`: the request line and the header fields together, their
    // line ends and the empty line that ends them included.
    // `maxBodyBytes`: a body announced by Content-Length, read as a form.
    RequestReader(std::size_t maxHeadBytes, std::size_t maxBodyBytes);

    void feed(std::string_view bytes);
    // The next whole request, taken out of what was fed; Incomplete while
    // it has not all arrived, its body included; a Refusal for bytes that
    // are not a request this server takes. After a Refusal the reader gives
    // nothing more: next() is Incomplete from then on, feed() drops what it
    // gets and hasPending() is false.
    ReadResult next();
    // Some bytes of a request not yet given by next() have arrived.
    bool hasPending() const;

private:
    std::string_view unread() const;
    std::optional<std::size_t> headLength();
    ReadResult refusalIfOversized();
    ReadResult takeHead(std::size_t length);
    ReadResult takeBody();
    ReadResult refuse(Refusal refusal);
    void consume(std::size_t bytes);

    std::size_t m_maxHeadBytes;
    std::size_t m_maxBodyBytes;
    std::string m_buffer;
    // Where the unread bytes begin: taken bytes stay in front until they
    // outweigh the rest, so pipelined requests are not moved once each.
    std::size_t m_start = 0;
    // How far into the unread bytes the search for the head's end has gone.
    std::size_t m_scanned = 0;
    // A request whose head is read, while its body arrives.
    std::optional<Request> m_awaitingBody;
    std::string m_body;
    std::size_t m_bodyLeft = 0;
    bool m_refused = false;
};

} // namespace tarvik::server::http
