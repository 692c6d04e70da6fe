#include "network/web_front.h"

#include "network/http_connection.h"
#include "network/page_stores.h"
#include "network/stored_pages.h"
#include "request_log.h"
#include "requests/request.h"
#include "rules/result_rules.h"
#include "storage/database_worker.h"
#include "storage/result_store.h"
#include "web/page_cache.h"
#include "web/pages.h"

#include <QFile>

namespace tarvik::server {

namespace {

// Connections waiting to be accepted, so a burst of clients is not turned
// into connection attempts retransmitted a second later.
constexpr int ListenQueue = 128;

http::Response page(int status, const std::string &title, const std::string &text)
{
    return {status, http::HtmlType, pages::notice(title, text)};
}

// The database connections of the page reader that runs this: a Qt SQL
// connection belongs to the thread that opened it.
PageStores readerStores(const DatabaseSettings &settings, const std::optional<DatabaseSettings> &standby,
                        StandbyHealth &health)
{
    thread_local std::unique_ptr<ResultStore> primaryStore;
    thread_local std::unique_ptr<ResultStore> standbyStore;
    if (!primaryStore)
        primaryStore = std::make_unique<ResultStore>(settings);
    if (standby && !standbyStore)
        standbyStore = std::make_unique<ResultStore>(*standby, ResultStore::Access::ReadOnly);
    return {*primaryStore, standbyStore.get(), health};
}

http::Response overRate(int perMinute)
{
    return page(429, "Submission refused",
                "More than " + std::to_string(perMinute) +
                    " submissions a minute came from your address; please wait a minute.");
}

http::Response storedAnswer(const CheckedSubmission &checked, const DatabaseWorker::StoreOutcome &outcome,
                            int perMinute)
{
    if (outcome.stored && outcome.submission.overRate)
        return overRate(perMinute);
    if (outcome.stored)
        return {200, http::HtmlType, pages::submitted(checked, outcome.submission)};
    if (outcome.failure == StoreUnavailable::Cause::DiskFull)
        return page(503, "Database full",
                    "The result database has no room left; nothing was stored. Please try again later.");
    return page(503, "Database unavailable",
                "The result database is unavailable; nothing was stored. Please try again later.");
}

// The file the last --dump wrote, read whole on a page reader.
http::Response dumpAnswer(const QString &file)
{
    QFile dump(file);
    if (file.isEmpty() || !dump.open(QIODevice::ReadOnly))
        return page(404, "No dump", "No dump of the results is offered here yet.");
    return {200, http::GzipType, dump.readAll().toStdString(), "tarvik-results.json.gz"};
}

} // namespace

WebFront::WebFront(DatabaseWorker &database, rules::SubmissionRate &rate, PageCache &pages, DatabaseSettings settings,
                   std::optional<DatabaseSettings> standby, const ServerLimits &limits, QString offeredDump,
                   QObject *parent)
    : QTcpServer(parent),
      m_database(database),
      m_rate(rate),
      m_pages(pages),
      m_settings(std::move(settings)),
      m_standby(std::move(standby)),
      m_limits(limits),
      m_offeredDump(std::move(offeredDump)),
      m_perAddress(limits.maxConnectionsPerAddress),
      m_readers(limits.httpThreads, limits.connectionTimeLimit)
{
    setListenBacklogSize(ListenQueue);
}

WebFront::~WebFront() = default;

void WebFront::incomingConnection(qintptr socket)
{
    auto *connection = new HttpConnection(static_cast<int>(socket), m_limits, this);
    if (m_connections.size() >= m_limits.maxWebConnections || !m_perAddress.admit(connection->peer())) {
        const bool full = m_connections.size() >= m_limits.maxWebConnections;
        connect(connection, &HttpConnection::finished, connection, &QObject::deleteLater);
        connection->turnAway(full ? page(503, "Server busy", "The server is busy; please try again later.")
                                  : page(429, "Too many connections",
                                         "Your address has too many connections open here; close some and "
                                         "try again."));
        return;
    }
    const quint64 id = m_nextId++;
    m_connections.insert(id, connection);
    connect(connection, &HttpConnection::finished, this, [this, id](HttpConnection *done) {
        m_connections.remove(id);
        m_perAddress.release(done->peer());
        done->deleteLater();
    });
    connect(connection, &HttpConnection::requestReceived, this,
            [this, id](HttpConnection *from, const http::Request &request) { serve(id, from, request); });
}

void WebFront::serve(quint64 id, HttpConnection *connection, const http::Request &request)
{
    const bool posted = request.method == "POST" && request.path == ManagementPage;
    if (request.method != "GET" && request.method != "HEAD" && !posted)
        connection->answer(page(405, "Method not allowed", "Pages here are only read with GET."));
    else if (request.path == "/rules")
        connection->answer({200, http::HtmlType, pages::rulesPage(rules::table(m_rate.perMinute()))});
    else if (request.path == pages::DumpPath)
        runOnReader([file = m_offeredDump] { return dumpAnswer(file); },
                    [this, id](const http::Response &response) { deliver(id, response); });
    else if (request.path == "/submit.cgi")
        takeSubmission(id, connection, request);
    else if (isStoredPage(request.path))
        queuePage(id, request);
    else
        connection->answer(page(404, "Not found", "There is no page " + request.path + " here."));
}

void WebFront::queuePage(quint64 id, const http::Request &request)
{
    if (!isSharedPage(request.path)) {
        readOnReader(request, [this, id, managing = request.method == "POST"](const http::Response &response) {
            // A hide or a delete takes results off the leaderboard.
            if (managing && response.status == 200)
                m_pages.invalidate();
            deliver(id, response);
        });
        return;
    }
    // HEAD is answered from the page GET gets: the target is the key, whatever the method.
    const std::optional<PageCache::Ticket> ticket = m_pages.request(
        request.target, PageCache::Clock::now(), [this, id](const http::Response &response) { deliver(id, response); });
    if (ticket)
        readOnReader(request, [this, ticket = *ticket](const http::Response &response) {
            m_pages.fill(ticket, response, PageCache::Clock::now());
        });
}

void WebFront::readOnReader(const http::Request &request, std::function<void(const http::Response &)> done)
{
    runOnReader(
        [settings = m_settings, standby = m_standby, health = m_standbyHealth, request] {
            PageStores stores = readerStores(settings, standby, *health);
            return readPage(request, stores);
        },
        std::move(done));
}

void WebFront::runOnReader(std::function<http::Response()> work, std::function<void(const http::Response &)> done)
{
    if (m_pagesPending >= m_limits.httpThreads + m_limits.pageQueue) {
        done(page(503, "Server busy", "The server is busy; please try again later."));
        return;
    }
    ++m_pagesPending;
    m_readers.start([work = std::move(work), back = m_handover.sender(), this, done = std::move(done)] {
        http::Response response = work();
        // `this` and `done` are only used back on the event loop, where the
        // Handover runs work only while the WebFront is there.
        back([this, done, response = std::move(response)] {
            --m_pagesPending;
            done(response);
        });
    });
}

void WebFront::takeSubmission(quint64 id, HttpConnection *connection, const http::Request &request)
{
    const std::string *sent = request.parameter("SendStr");
    const std::string message = sent ? *sent : std::string();
    if (message.size() > static_cast<std::size_t>(m_limits.maxMessageBytes)) {
        connection->answer(page(413, "Submission refused", "The message is too long."));
        return;
    }
    Request parsed = interpretMessage(message);
    if (auto *error = std::get_if<MessageError>(&parsed)) {
        connection->answer(page(400, "Submission refused", "The message was refused: " + error->reason + "."));
        return;
    }
    auto *submit = std::get_if<SubmitRequest>(&parsed);
    if (!submit) {
        connection->answer(page(400, "Submission refused", "Only submissions are taken here."));
        return;
    }
    if (!m_rate.admit(connection->peer(), rules::SubmissionRate::Clock::now())) {
        connection->answer(overRate(m_rate.perMinute()));
        return;
    }
    if (submit->checked.accepted.empty()) {
        connection->answer({200, http::HtmlType, pages::submitted(submit->checked, {})});
        return;
    }
    connection->awaitAnswer(page(503, "Database unavailable",
                                 "The result database did not answer in time. The submission may still be "
                                 "stored: look for it on the leaderboard before sending it again."));
    m_database.submit({message, "http", connection->peer(), submit->message, submit->checked, m_rate.perMinute()},
                      [back = m_handover.sender(), this, id, checked = submit->checked,
                       perMinute = m_rate.perMinute()](DatabaseWorker::StoreOutcome outcome) {
                          back([this, id, checked, perMinute, outcome = std::move(outcome)] {
                              // Before the answer, so that the submitter finds the result on the leaderboard.
                              if (ranksNewResult(outcome.submission))
                                  m_pages.invalidate();
                              deliver(id, storedAnswer(checked, outcome, perMinute));
                          });
                      });
}

void WebFront::deliver(quint64 id, const http::Response &response)
{
    if (HttpConnection *connection = m_connections.value(id))
        connection->answer(response);
}

} // namespace tarvik::server
