#pragma once

#include "network/address_limit.h"
#include "network/handover.h"
#include "network/server_limits.h"
#include "requests/request.h"
#include "rules/submission_rate.h"

#include <QHash>
#include <QTcpServer>

#include <string>

namespace tarvik::server {

class DatabaseWorker;
class PageCache;
class ProtocolConnection;

// The TCP side: SUBMIT and GET messages, one per connection, each answered
// with text lines. Runs on the thread of its event loop; the database work
// goes to the DatabaseWorker and its answer comes back here.
class ProtocolServer : public QTcpServer {
    Q_OBJECT

public:
    // `rate` counts the submissions of each address, on both sides;
    // `pages` is the web side's, whose leaderboard a new result changes.
    ProtocolServer(DatabaseWorker &database, rules::SubmissionRate &rate, PageCache &pages,
                   const ServerLimits &limits, QObject *parent = nullptr);

    // Where people reach the web pages ("http://host:port"): replies give
    // each stored submission's management address there.
    void setWebAddress(std::string address) { m_webAddress = std::move(address); }

protected:
    void incomingConnection(qintptr socket) override;

private:
    // Acts on a whole message of connection `id`.
    void act(quint64 id, const std::string &peer, const std::string &message, ParsedMessage parsed);
    void submit(quint64 id, const std::string &peer, const std::string &message, SubmitRequest request);
    void lookUp(quint64 id, std::int64_t resultId);
    // Answers connection `id`, if it is still there, and logs the request.
    void deliver(quint64 id, const std::string &answer, const std::string &summary);
    // From the database worker's thread to this one; with `leaderboardChanged`
    // the web side's pages are dropped first, so that a client who has its
    // answer finds its result on them.
    void deliverLater(quint64 id, std::string answer, std::string summary, bool leaderboardChanged = false);
    void admit(quint64 id, ProtocolConnection *connection);

    DatabaseWorker &m_database;
    rules::SubmissionRate &m_rate;
    PageCache &m_pages;
    std::string m_webAddress;
    ServerLimits m_limits;
    AddressLimit m_perAddress;
    int m_admitted = 0;
    quint64 m_nextId = 1;
    QHash<quint64, ProtocolConnection *> m_connections;
    Handover m_handover;
};

} // namespace tarvik::server
