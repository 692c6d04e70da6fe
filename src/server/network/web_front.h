#pragma once

#include "http/http_request.h"
#include "http/http_response.h"
#include "network/address_limit.h"
#include "network/handover.h"
#include "network/page_readers.h"
#include "network/standby_health.h"
#include "network/server_limits.h"
#include "rules/submission_rate.h"
#include "storage/database_settings.h"

#include <QHash>
#include <QTcpServer>

#include <memory>
#include <optional>

namespace tarvik::server {

class DatabaseWorker;
class HttpConnection;
class PageCache;

// The HTTP side: the browser submission "/submit.cgi?SendStr=", the result
// page "/score.cgi?id=", the leaderboard "/" and its data "/api/results",
// the rules "/rules", a submission's management page "/manage", the
// histories "/history" and the latest dump of the database "/dump.json.gz".
// Connections live on the event loop, like those of the TCP side, so a slow
// or idle client costs a socket and nothing more. Pages are read by a few
// reader threads, each with its own database connections (the primary, and
// a hot standby when `standby` names one); submissions go to the
// DatabaseWorker like those of the TCP side. Neither holds a thread while it
// waits. The leaderboard and its data are answered from a short-lived cache,
// which a new result or a hide or delete here drops at once.
class WebFront : public QTcpServer {
public:
    // `rate` counts the submissions of each address, on both sides, and
    // `pages` keeps the pages both sides' new results drop.
    WebFront(DatabaseWorker &database, rules::SubmissionRate &rate, PageCache &pages, DatabaseSettings settings,
             std::optional<DatabaseSettings> standby, const ServerLimits &limits, QString offeredDump = {},
             QObject *parent = nullptr);
    ~WebFront() override;

protected:
    void incomingConnection(qintptr socket) override;

private:
    void serve(quint64 id, HttpConnection *connection, const http::Request &request);
    void queuePage(quint64 id, const http::Request &request);
    // Reads `request`'s page on a page reader; `done` gets it back here.
    void readOnReader(const http::Request &request, std::function<void(const http::Response &)> done);
    // Runs `work` on a page reader; `done` gets its answer back here.
    void runOnReader(std::function<http::Response()> work, std::function<void(const http::Response &)> done);
    void takeSubmission(quint64 id, HttpConnection *connection, const http::Request &request);
    void deliver(quint64 id, const http::Response &response);

    DatabaseWorker &m_database;
    rules::SubmissionRate &m_rate;
    PageCache &m_pages;
    DatabaseSettings m_settings;
    std::optional<DatabaseSettings> m_standby;
    // Shared with the reader tasks, which a stop may leave behind.
    std::shared_ptr<StandbyHealth> m_standbyHealth = std::make_shared<StandbyHealth>();
    ServerLimits m_limits;
    QString m_offeredDump;
    AddressLimit m_perAddress;
    quint64 m_nextId = 1;
    QHash<quint64, HttpConnection *> m_connections;
    PageReaders m_readers;
    // Pages queued for a reader or being read.
    int m_pagesPending = 0;
    Handover m_handover;
};

} // namespace tarvik::server
