#pragma once

#include <string>

namespace tarvik::server::http {

inline constexpr const char *HtmlType = "text/html; charset=utf-8";
inline constexpr const char *JsonType = "application/json";

struct Response {
    int status = 200;
    std::string contentType;
    std::string body;
};

// The bytes of `response` on the wire: status line, Content-Type (when
// there is one), Content-Length, Connection ("keep-alive" or "close", as
// `keepAlive` says), and the headers every answer of this server carries (a
// content security policy that allows no script, frame or outside resource,
// no type sniffing, no framing, no caching of a submission's answer).
// `headOnly` (a HEAD request) leaves the body out but keeps its length.
std::string responseBytes(const Response &response, bool keepAlive, bool headOnly);

// The reason phrase of `status` ("Not Found").
const char *reasonPhrase(int status);

} // namespace tarvik::server::http
