#pragma once

#include <string>
#include <utility>

namespace tarvik::server::http {

inline constexpr const char *HtmlType = "text/html; charset=utf-8";
inline constexpr const char *JsonType = "application/json";
inline constexpr const char *CsvType = "text/csv; charset=utf-8; header=present";
inline constexpr const char *GzipType = "application/gzip";

struct Response {
    Response() = default;
    Response(int status, std::string contentType, std::string body, std::string fileName = {})
        : status(status),
          contentType(std::move(contentType)),
          body(std::move(body)),
          fileName(std::move(fileName))
    {
    }

    int status = 200;
    std::string contentType;
    std::string body;
    // A file name offered for saving the body (Content-Disposition:
    // attachment); empty: shown in the browser. Only letters, digits and
    // ". - _", so it needs no quoting rules.
    std::string fileName;
};

// The bytes of `response` on the wire: status line, Content-Type (when
// there is one), Content-Disposition (when it names a file), Content-Length, Connection ("keep-alive" or "close", as
// `keepAlive` says), and the headers every answer of this server carries (a
// content security policy that allows no script, frame or outside resource,
// no type sniffing, no framing, no caching of a submission's answer).
// `headOnly` (a HEAD request) leaves the body out but keeps its length.
std::string responseBytes(const Response &response, bool keepAlive, bool headOnly);

// The reason phrase of `status` ("Not Found").
const char *reasonPhrase(int status);

} // namespace tarvik::server::http
