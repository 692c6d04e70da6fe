#include "web/list_query.h"

#include "foundation/protocol.h"
#include "foundation/url_text.h"
#include "web/query_number.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarvik::server {

namespace {

constexpr std::array<std::pair<const char *, ListQuery::Sort>, 4> Sorts = {{{"fastest", ListQuery::Sort::Fastest},
                                                                            {"slowest", ListQuery::Sort::Slowest},
                                                                            {"newest", ListQuery::Sort::Newest},
                                                                            {"oldest", ListQuery::Sort::Oldest}}};

// The value of `key`, empty when the query has none.
std::string value(const http::Request &request, std::string_view key)
{
    const std::string *found = request.parameter(key);
    return found ? *found : std::string();
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// A real day written "yyyy-mm-dd".
bool isDay(const std::string &text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    const int year = static_cast<int>(queryNumber(text.substr(0, 4), 9999));
    const int month = static_cast<int>(queryNumber(text.substr(5, 2), 12));
    const int day = static_cast<int>(queryNumber(text.substr(8, 2), 31));
    if (year < 1 || month < 1 || day < 1)
        return false;
    constexpr std::array<int, 12> Days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int last = month == 2 && isLeapYear(year) ? 29 : Days[static_cast<std::size_t>(month - 1)];
    return day <= last;
}

bool hasControlByte(const std::string &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; });
}

} // namespace

std::string queryPair(const std::string &key, const std::string &value)
{
    return key + "=" + percentEncoded(value);
}

const char *sortName(ListQuery::Sort sort)
{
    for (const auto &[name, each] : Sorts)
        if (each == sort)
            return name;
    return "fastest";
}

std::variant<ListQuery, QueryRefusal> readListQuery(const http::Request &request)
{
    ListQuery query;
    query.processor = value(request, "processor");
    if (query.processor.size() > LongestProcessorSearch || hasControlByte(query.processor))
        return QueryRefusal{"The processor text is at most " + std::to_string(LongestProcessorSearch) +
                            " characters long, without control characters."};
    if (const std::string threads = value(request, "threads"); !threads.empty()) {
        query.threads = static_cast<int>(queryNumber(threads, MostThreads));
        if (query.threads < 1)
            return QueryRefusal{"The thread count is a whole number from 1 to " + std::to_string(MostThreads) + "."};
    }
    query.from = value(request, "from");
    query.to = value(request, "to");
    for (const std::string *day : {&query.from, &query.to})
        if (!day->empty() && !isDay(*day))
            return QueryRefusal{"A date is a day written year-month-day, as 2026-12-10."};
    if (!query.from.empty() && !query.to.empty() && query.from > query.to)
        return QueryRefusal{"The first day comes after the last."};
    if (const std::string sort = value(request, "sort"); !sort.empty()) {
        const auto found =
            std::find_if(Sorts.begin(), Sorts.end(), [&](const auto &each) { return sort == each.first; });
        if (found == Sorts.end())
            return QueryRefusal{"The order is one of fastest, slowest, newest and oldest."};
        query.sort = found->second;
    }
    if (const std::string format = value(request, "format"); !format.empty()) {
        if (format != "csv" && format != "json")
            return QueryRefusal{"The format is csv or json."};
        query.format = format == "csv" ? ListQuery::Format::Csv : ListQuery::Format::Json;
    }
    return query;
}

std::string filterPairs(const ListQuery &query)
{
    std::string pairs;
    auto add = [&](const char *key, const std::string &text) {
        if (text.empty())
            return;
        if (!pairs.empty())
            pairs += '&';
        pairs += queryPair(key, text);
    };
    add("processor", query.processor);
    add("threads", query.threads ? std::to_string(query.threads) : std::string());
    add("from", query.from);
    add("to", query.to);
    add("sort", query.sort == ListQuery::Sort::Fastest ? std::string() : sortName(query.sort));
    return pairs;
}

ListQuery sortedBy(ListQuery query, ListQuery::Sort sort)
{
    query.sort = sort;
    return query;
}

} // namespace tarvik::server
