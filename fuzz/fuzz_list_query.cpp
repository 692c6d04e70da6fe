// The list pages' query (/?processor=&threads=&from=&to=&sort=&format=): any
// pairs are either refused with a reason or read as a query whose filters,
// written back into an address and read by the server's own request reader,
// give the same query. The input is the pairs, "key=value" split at "&".

#include "fuzz_check.h"
#include "http/http_request.h"
#include "web/list_query.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace tarvik::server;

namespace {

http::Request withPairs(std::string_view text)
{
    http::Request request;
    request.method = "GET";
    request.path = "/";
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('&'), text.size());
        const std::string_view piece = text.substr(0, end);
        const std::size_t equals = piece.find('=');
        if (!piece.empty())
            request.query.emplace_back(std::string(piece.substr(0, equals)),
                                       equals == std::string_view::npos ? "" : std::string(piece.substr(equals + 1)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return request;
}

// `pairs` as the query of a request the server reads off a connection.
http::Request asRead(const std::string &pairs)
{
    http::RequestReader reader(64 * 1024, 0);
    reader.feed("GET /?" + pairs + " HTTP/1.1\r\nHost: fuzz\r\n\r\n");
    const http::ReadResult read = reader.next();
    require(std::holds_alternative<http::Request>(read), "a query the server writes is a request it reads");
    return std::get<http::Request>(read);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto read = readListQuery(withPairs(text));
    if (const auto *refusal = std::get_if<QueryRefusal>(&read)) {
        require(!refusal->message.empty(), "a refusal says why");
        return 0;
    }
    ListQuery query = std::get<ListQuery>(read);
    require(query.processor.size() <= LongestProcessorSearch, "the processor text has its bound");
    query.format = ListQuery::Format::Html;
    const auto again = readListQuery(asRead(filterPairs(query)));
    require(std::holds_alternative<ListQuery>(again), "the written filters are read again");
    require(std::get<ListQuery>(again) == query, "the written filters give the same query");
    return 0;
}
