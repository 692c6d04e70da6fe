#include "network/web_front.h"

#include "request_log.h"
#include "requests/request.h"
#include "storage/database_worker.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"
#include "web/json_text.h"
#include "web/pages.h"
#include "web/query_number.h"

#include <httplib.h>

#include <future>
#include <sys/socket.h>

namespace tarvik::server {

namespace {

constexpr int BoardPageSize = 25;
constexpr int ChartedResults = 10;
constexpr int LastPage = 1000000;
// Connections waiting to be accepted; the library's own queue of 5 turns a
// burst of clients into retransmitted connection attempts a second late.
constexpr int ListenQueue = 128;
const int StandardTests[] = {SpeedTest, StabilityTest};

const char *HtmlType = "text/html; charset=utf-8";

void sendPage(httplib::Response &response, int status, const std::string &page)
{
    response.status = status;
    response.set_content(page, HtmlType);
}

// The number the query gives for `key` (see queryNumber), `fallback` when it has no such key.
long long numberParameter(const httplib::Request &request, const std::string &key, long long fallback, long long last)
{
    if (!request.has_param(key.c_str()))
        return fallback;
    return queryNumber(request.get_param_value(key.c_str()), last);
}

std::vector<LeaderboardPage> boards(ResultStore &store, const httplib::Request &request)
{
    std::vector<LeaderboardPage> all;
    for (int test : StandardTests) {
        const long long page = std::max(1LL, numberParameter(request, pages::pageParameter(test), 1, LastPage));
        all.push_back(store.leaderboard(test, static_cast<int>(page), BoardPageSize));
    }
    return all;
}

void unavailable(httplib::Response &response, const StoreUnavailable &fault)
{
    logLine("database unavailable: " + std::string(fault.what()));
    sendPage(response, 503,
             pages::notice("Database unavailable",
                           "The result database is unavailable; nothing was stored or read. Please try again later."));
}

} // namespace

WebFront::WebFront(DatabaseWorker &database, DatabaseSettings settings, const ServerLimits &limits)
    : m_database(database),
      m_settings(std::move(settings)),
      m_limits(limits),
      m_server(std::make_unique<httplib::Server>())
{
    const int threads = m_limits.httpThreads;
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<std::size_t>(threads)); };
    m_server->set_payload_max_length(static_cast<std::size_t>(m_limits.maxMessageBytes));
    m_server->set_read_timeout(5);
    m_server->set_write_timeout(5);
    m_server->set_keep_alive_timeout(2);
    m_server->set_logger([](const httplib::Request &request, const httplib::Response &response) {
        logLine("http " + request.remote_addr + " " + request.method + " " + request.path + " " +
                std::to_string(response.status));
    });
    route();
}

WebFront::~WebFront()
{
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

int WebFront::start(const std::string &address, int port)
{
    int listener = -1;
    m_server->set_socket_options([&listener](socket_t socket) {
        httplib::default_socket_options(socket);
        listener = socket;
    });
    const int bound =
        port == 0 ? m_server->bind_to_any_port(address) : (m_server->bind_to_port(address, port) ? port : -1);
    if (bound < 0)
        return -1;
    // Listening again only changes the length of the queue.
    ::listen(listener, ListenQueue);
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    return bound;
}

ResultStore &WebFront::threadStore()
{
    // A Qt SQL connection belongs to the thread that opened it.
    thread_local std::unique_ptr<ResultStore> store;
    if (!store)
        store = std::make_unique<ResultStore>(m_settings);
    return *store;
}

void WebFront::route()
{
    using Page = void (WebFront::*)(const httplib::Request &, httplib::Response &);
    const std::pair<const char *, Page> routes[] = {
        {"/", &WebFront::showLeaderboard},
        {"/api/results", &WebFront::showResultsJson},
        {"/score.cgi", &WebFront::showScore},
        {"/submit.cgi", &WebFront::takeSubmission},
    };
    // The page is captured by copy: clang 14 cannot capture a structured binding.
    for (const auto &[path, page] : routes)
        m_server->Get(path, [this, page = page](const httplib::Request &request, httplib::Response &response) {
            (this->*page)(request, response);
        });
    m_server->set_error_handler([](const httplib::Request &request, httplib::Response &response) {
        // Pages of their own (a result that is not there) stay as they are.
        if (response.status == 404 && response.body.empty())
            sendPage(response, 404, pages::notice("Not found", "There is no page " + request.path + " here."));
    });
}

void WebFront::showLeaderboard(const httplib::Request &request, httplib::Response &response)
{
    try {
        ResultStore &store = threadStore();
        const std::vector<LeaderboardPage> ranked = boards(store, request);
        std::vector<std::vector<StoredResult>> leading;
        for (const LeaderboardPage &board : ranked)
            leading.push_back(store.leaderboard(board.test, 1, ChartedResults).entries);
        sendPage(response, 200, pages::leaderboard(ranked, leading));
    } catch (const StoreUnavailable &fault) {
        unavailable(response, fault);
    }
}

void WebFront::showResultsJson(const httplib::Request &request, httplib::Response &response)
{
    try {
        response.set_content(json::leaderboard(boards(threadStore(), request)), "application/json");
    } catch (const StoreUnavailable &fault) {
        logLine("database unavailable: " + std::string(fault.what()));
        response.status = 503;
        response.set_content("{\"error\":\"database unavailable\"}\n", "application/json");
    }
}

void WebFront::showScore(const httplib::Request &request, httplib::Response &response)
{
    const long long id = numberParameter(request, "id", 0, 2147483647);
    if (id < 1) {
        sendPage(response, 404, pages::noSuchResult(request.get_param_value("id")));
        return;
    }
    try {
        const std::optional<StoredResult> result = threadStore().result(id);
        if (result)
            sendPage(response, 200, pages::score(*result));
        else
            sendPage(response, 404, pages::noSuchResult(std::to_string(id)));
    } catch (const StoreUnavailable &fault) {
        unavailable(response, fault);
    }
}

void WebFront::takeSubmission(const httplib::Request &request, httplib::Response &response)
{
    const std::string message = request.get_param_value("SendStr");
    if (message.size() > static_cast<std::size_t>(m_limits.maxMessageBytes)) {
        sendPage(response, 413, pages::notice("Submission refused", "The message is too long."));
        return;
    }
    Request parsed = interpretMessage(message);
    if (auto *error = std::get_if<MessageError>(&parsed)) {
        sendPage(response, 400, pages::notice("Submission refused", "The message was refused: " + error->reason + "."));
        return;
    }
    auto *submit = std::get_if<SubmitRequest>(&parsed);
    if (!submit) {
        sendPage(response, 400, pages::notice("Submission refused", "Only submissions are taken here."));
        return;
    }
    if (submit->checked.accepted.empty()) {
        sendPage(response, 200, pages::submitted(submit->checked, {}));
        return;
    }
    // This request's thread waits while the worker writes it with others,
    // for no longer than a connection may last: a database that hangs must
    // not hold the thread. The worker may answer after that, so the promise
    // is shared with it.
    auto stored = std::make_shared<std::promise<DatabaseWorker::StoreOutcome>>();
    std::future<DatabaseWorker::StoreOutcome> outcome = stored->get_future();
    m_database.submit({message, "http", request.remote_addr, submit->message, submit->checked},
                      [stored](DatabaseWorker::StoreOutcome result) { stored->set_value(std::move(result)); });
    if (outcome.wait_for(m_limits.connectionTimeLimit) != std::future_status::ready) {
        logLine("database did not answer within the connection time limit");
        sendPage(response, 503,
                 pages::notice("Database unavailable",
                               "The result database did not answer in time. The submission may still be stored: "
                               "look for it on the leaderboard before sending it again."));
        return;
    }
    const DatabaseWorker::StoreOutcome result = outcome.get();
    if (!result.stored) {
        const bool full = result.failure == StoreUnavailable::Cause::DiskFull;
        sendPage(response, 503,
                 pages::notice(full ? "Database full" : "Database unavailable",
                               full ? "The result database has no room left; nothing was stored. Please try again "
                                      "later."
                                    : "The result database is unavailable; nothing was stored. Please try again "
                                      "later."));
        return;
    }
    sendPage(response, 200, pages::submitted(submit->checked, result.ids));
}

} // namespace tarvik::server
