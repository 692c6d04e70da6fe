#include "network/stored_pages.h"

#include "foundation/protocol.h"
#include "network/page_stores.h"
#include "request_log.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"
#include "web/compare_page.h"
#include "web/csv_text.h"
#include "web/json_text.h"
#include "web/list_query.h"
#include "web/management_pages.h"
#include "web/pages.h"
#include "web/processor_page.h"
#include "web/query_number.h"
#include "web/score_card.h"

#include <algorithm>
#include <functional>

namespace tarvik::server {

namespace {

constexpr int BoardPageSize = 25;
constexpr int ChartedResults = 10;
constexpr int HistoryPageSize = 50;
constexpr int LastPage = 1000000;
const int StandardTests[] = {SpeedTest, StabilityTest};

const std::string ProcessorPage = "/processor";
const std::string ComparePage = "/compare";
const std::string ScoreCard = "/score.svg";

using http::HtmlType;
using http::JsonType;

// The number the query gives for `key` (see queryNumber), `fallback` when it has no such key.
long long numberParameter(const http::Request &request, const std::string &key, long long fallback, long long last)
{
    const std::string *value = request.parameter(key);
    return value ? queryNumber(*value, last) : fallback;
}

std::vector<LeaderboardPage> boards(ResultStore &store, const http::Request &request, const ListQuery &query)
{
    std::vector<LeaderboardPage> all;
    for (int test : StandardTests) {
        const long long page = std::max(1LL, numberParameter(request, pages::pageParameter(test), 1, LastPage));
        all.push_back(store.leaderboard(test, static_cast<int>(page), BoardPageSize, query));
    }
    return all;
}

http::Response refused(const http::Request &request, const QueryRefusal &refusal)
{
    if (request.path == "/api/results" || request.parameter("format") != nullptr)
        return {400, JsonType, "{\"error\":" + json::quoted(refusal.message) + "}\n"};
    return {400, HtmlType, pages::notice("This query cannot be answered", refusal.message)};
}

// A list in the form the query asks for; `name` names the file of an export.
http::Response listAnswer(ListQuery::Format format, const std::string &name, const std::function<std::string()> &csv,
                          const std::function<std::string()> &data, const std::function<std::string()> &page)
{
    if (format == ListQuery::Format::Csv)
        return {200, http::CsvType, csv(), name + ".csv"};
    if (format == ListQuery::Format::Json)
        return {200, JsonType, data(), name + ".json"};
    return {200, HtmlType, page()};
}

http::Response leaderboardPage(const http::Request &request, const ListQuery &query, ResultStore &store)
{
    const std::vector<LeaderboardPage> ranked = boards(store, request, query);
    return listAnswer(
        query.format, "tarvik-leaderboard", [&] { return csv::leaderboard(ranked); },
        [&] { return json::leaderboard(ranked); },
        [&] {
            // The chart shows the fastest of what the filters let through,
            // whatever the order: the first page's own leaders when it has
            // them, which saves a filtered board a second walk.
            std::vector<std::vector<StoredResult>> leading;
            for (const LeaderboardPage &board : ranked) {
                if (query.sort == ListQuery::Sort::Fastest && board.page == 1) {
                    const auto end =
                        board.entries.begin() +
                        static_cast<std::ptrdiff_t>(std::min<std::size_t>(board.entries.size(), ChartedResults));
                    leading.emplace_back(board.entries.begin(), end);
                } else {
                    leading.push_back(
                        store.leaderboard(board.test, 1, ChartedResults, sortedBy(query, ListQuery::Sort::Fastest))
                            .entries);
                }
            }
            return pages::leaderboard(ranked, leading, query);
        });
}

http::Response historyPage(const http::Request &request, ListQuery::Format format, ResultStore &store)
{
    const std::string *name = request.parameter("name");
    if (!name || name->empty())
        return refused(request, {"A history needs a submitter's name: /history?name=..."});
    const long long machine = numberParameter(request, "machine", 0, 2147483647);
    const long long page = std::max(1LL, numberParameter(request, "page", 1, LastPage));
    const HistoryPage history = store.history(*name, machine, static_cast<int>(page), HistoryPageSize);
    return listAnswer(
        format, "tarvik-history", [&] { return csv::results(history.entries); }, [&] { return json::history(history); },
        [&] { return pages::history(history); });
}

// A result the standby has not replayed yet (the page a confirmation just
// linked to) is read from the primary.
http::Response scorePage(const http::Request &request, PageStores &stores)
{
    const std::string *format = request.parameter("format");
    const bool asJson = format && *format == "json";
    const long long id = numberParameter(request, "id", 0, 2147483647);
    std::optional<StoredResult> result;
    if (id >= 1)
        result = stores.read([id](ResultStore &store) { return store.result(id); },
                             [](const std::optional<StoredResult> &found) { return found.has_value(); });
    if (result && asJson)
        return {200, JsonType, json::result(*result) + "\n"};
    if (result)
        return {200, HtmlType, pages::score(*result)};
    const std::string *asked = request.parameter("id");
    const std::string shown = id >= 1 ? std::to_string(id) : asked ? *asked : "";
    if (asJson)
        return {404, JsonType, "{\"error\":" + json::quoted("There is no result with id " + shown + ".") + "}\n"};
    return {404, HtmlType, pages::noSuchResult(shown)};
}

http::Response processorPage(const http::Request &request, ResultStore &store)
{
    const std::string *name = request.parameter("name");
    const std::string processor = name ? *name : std::string();
    const int page = static_cast<int>(std::max(1LL, numberParameter(request, "page", 1, LastPage)));
    const ProcessorResults results = store.processorResults(processor, page, BoardPageSize);
    if (results.samples.empty())
        return {404, HtmlType, pages::noSuchProcessor(processor)};
    return {200, HtmlType, pages::processorPage(results)};
}

std::vector<std::string> allValues(const http::Request &request, const std::string &key)
{
    std::vector<std::string> values;
    for (const auto &[name, value] : request.query)
        if (name == key)
            values.push_back(value);
    return values;
}

http::Response comparison(const http::Request &request, ResultStore &store)
{
    const auto asked = pages::comparedIds(allValues(request, "ids"));
    if (const auto *refusal = std::get_if<pages::CompareRefusal>(&asked))
        return {400, HtmlType, pages::compareRefused(refusal->reason)};
    const std::vector<std::int64_t> &ids = std::get<std::vector<std::int64_t>>(asked);
    const std::vector<StoredResult> results = store.listedResults(ids);
    if (results.size() == ids.size())
        return {200, HtmlType, pages::comparePage(results)};
    std::vector<std::int64_t> missing;
    for (const std::int64_t id : ids)
        if (std::none_of(results.begin(), results.end(), [id](const StoredResult &r) { return r.id == id; }))
            missing.push_back(id);
    return {404, HtmlType, pages::compareMissing(missing)};
}

http::Response scoreCard(const http::Request &request, ResultStore &store)
{
    const long long id = numberParameter(request, "id", 0, 2147483647);
    const std::vector<StoredResult> found = id > 0 ? store.listedResults({id}) : std::vector<StoredResult>{};
    if (found.empty()) {
        const std::string *asked = request.parameter("id");
        return {404, HtmlType, pages::noSuchResult(asked ? *asked : "")};
    }
    return {200, pages::SvgType, pages::scoreCardSvg(found.front())};
}

// The submission and key a management request names: from the address of
// the page, from the form of an action.
struct ManagementRequest {
    std::int64_t submission = 0;
    std::string key;
    std::string action;
};

ManagementRequest managementRequest(const http::Request &request)
{
    const bool posted = request.method == "POST";
    auto value = [&](std::string_view name) {
        const std::string *found = posted ? request.formField(name) : request.parameter(name);
        return found ? *found : std::string();
    };
    return {queryNumber(value("submission"), 2147483647), value("key"), value("action")};
}

// Every refusal looks the same, so a guess learns nothing about which
// submissions exist.
http::Response notManaged()
{
    return {403, HtmlType, pages::notManaged()};
}

http::Response managementPage(const http::Request &request, ResultStore &store)
{
    const ManagementRequest asked = managementRequest(request);
    if (request.method != "POST") {
        const auto results = store.managedResults(asked.submission, asked.key);
        return results ? http::Response{200, HtmlType, pages::management(asked.submission, asked.key, *results)}
                       : notManaged();
    }
    if (asked.action != "hide" && asked.action != "delete")
        return {400, HtmlType, pages::notice("No such action", "A submission's results can be hidden or deleted.")};
    const bool deleting = asked.action == "delete";
    const std::optional<std::size_t> managed = store.manage(
        asked.submission, asked.key, deleting ? ResultStore::Management::Delete : ResultStore::Management::Hide);
    if (!managed)
        return notManaged();
    return {200, HtmlType, pages::managed(deleting, *managed)};
}

http::Response unavailable(const http::Request &request, const StoreUnavailable &fault)
{
    logLine("database unavailable: " + std::string(fault.what()));
    if (request.path == "/api/results")
        return {503, JsonType, "{\"error\":\"database unavailable\"}\n"};
    return {503, HtmlType,
            pages::notice("Database unavailable",
                          "The result database is unavailable; nothing was stored or read. Please try again later.")};
}

} // namespace

bool isStoredPage(const std::string &path)
{
    return isSharedPage(path) || path == "/score.cgi" || path == ManagementPage;
}

namespace {

// The pages that list results and take the lists' query.
bool isListPage(const std::string &path)
{
    return path == "/" || path == "/api/results" || path == "/history";
}

} // namespace

bool isSharedPage(const std::string &path)
{
    return isListPage(path) || path == ProcessorPage || path == ComparePage || path == ScoreCard;
}

http::Response readPage(const http::Request &request, PageStores &stores)
{
    try {
        if (isListPage(request.path)) {
            const auto read = readListQuery(request);
            if (const auto *refusal = std::get_if<QueryRefusal>(&read))
                return refused(request, *refusal);
            const ListQuery &query = std::get<ListQuery>(read);
            return stores.read([&](ResultStore &store) {
                if (request.path == "/history")
                    return historyPage(request, query.format, store);
                if (request.path == "/api/results")
                    return http::Response{200, JsonType, json::leaderboard(boards(store, request, query))};
                return leaderboardPage(request, query, store);
            });
        }
        if (request.path == ProcessorPage)
            return stores.read([&](ResultStore &store) { return processorPage(request, store); });
        if (request.path == ComparePage)
            return stores.read([&](ResultStore &store) { return comparison(request, store); });
        if (request.path == ScoreCard)
            return stores.read([&](ResultStore &store) { return scoreCard(request, store); });
        if (request.path == ManagementPage)
            return managementPage(request, stores.primary());
        return scorePage(request, stores);
    } catch (const StoreUnavailable &fault) {
        return unavailable(request, fault);
    }
}

} // namespace tarvik::server
