#pragma once

#include "http/http_request.h"

#include <string>
#include <variant>

namespace tarvik::server {

// What a visitor asks of a list page, all of it in the address so that the
// address can be shared: the filters, the order and the form of the answer.
struct ListQuery {
    enum class Sort { Fastest, Slowest, Newest, Oldest };
    enum class Format { Html, Csv, Json };

    std::string processor; // text the processor's name holds, any case; empty: any
    int threads = 0;       // 0: any
    std::string from, to;  // days "2026-12-10", both included; empty: open
    Sort sort = Sort::Fastest;
    Format format = Format::Html;

    bool filtered() const { return !processor.empty() || threads != 0 || !from.empty() || !to.empty(); }
    bool operator==(const ListQuery &) const = default;
};

// Why a query cannot be answered, in words for the visitor.
struct QueryRefusal {
    std::string message;
};

// Reads the keys "processor", "threads", "from", "to", "sort" (fastest,
// slowest, newest, oldest) and "format" (csv, json); a key with an empty
// value, as a form sends an empty field, is not set.
std::variant<ListQuery, QueryRefusal> readListQuery(const http::Request &request);

// The query's filters and order as address pairs, "processor=Ryzen&threads=8",
// the defaults left out, the format never there: readListQuery gives the same
// query back. Empty when nothing differs from the defaults.
std::string filterPairs(const ListQuery &query);
// `query` with another order.
ListQuery sortedBy(ListQuery query, ListQuery::Sort sort);

const char *sortName(ListQuery::Sort sort);

// "key=value", the value percent-encoded for an address.
std::string queryPair(const std::string &key, const std::string &value);

// Longest processor text a search takes.
inline constexpr std::size_t LongestProcessorSearch = 100;

} // namespace tarvik::server
