#include "http/http_response.h"

namespace tarvik::server::http {

namespace {

// Pages of this server hold no script, load nothing from elsewhere and are
// never framed; a submission's answer is no one else's to keep.
constexpr const char *EveryAnswersHeaders =
    "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; base-uri 'none'; "
    "form-action 'self'; frame-ancestors 'none'\r\n"
    "X-Content-Type-Options: nosniff\r\n"
    "X-Frame-Options: DENY\r\n"
    "Referrer-Policy: no-referrer\r\n"
    "Cache-Control: no-store\r\n";

} // namespace

std::string responseBytes(const Response &response, bool keepAlive, bool headOnly)
{
    std::string bytes = "HTTP/1.1 " + std::to_string(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    if (!response.contentType.empty())
        bytes += "Content-Type: " + response.contentType + "\r\n";
    if (!response.fileName.empty())
        bytes += "Content-Disposition: attachment; filename=\"" + response.fileName + "\"\r\n";
    bytes += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    bytes += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    bytes += EveryAnswersHeaders;
    bytes += "\r\n";
    if (!headOnly)
        bytes += response.body;
    return bytes;
}

const char *reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 413:
        return "Content Too Large";
    case 414:
        return "URI Too Long";
    case 429:
        return "Too Many Requests";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Unknown";
    }
}

} // namespace tarvik::server::http
