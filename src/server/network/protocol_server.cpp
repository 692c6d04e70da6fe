#include "network/protocol_server.h"

#include "network/protocol_connection.h"
#include "request_log.h"
#include "requests/reply_text.h"
#include "storage/database_worker.h"
#include "web/page_cache.h"

namespace tarvik::server {

namespace {

std::string submitSummary(const CheckedSubmission &checked)
{
    return "SUBMIT checked " + std::to_string(checked.accepted.size()) + ", refused " +
           std::to_string(checked.refused.size());
}

} // namespace

ProtocolServer::ProtocolServer(DatabaseWorker &database, rules::SubmissionRate &rate, PageCache &pages,
                               const ServerLimits &limits, QObject *parent)
    : QTcpServer(parent),
      m_database(database),
      m_rate(rate),
      m_pages(pages),
      m_limits(limits),
      m_perAddress(limits.maxConnectionsPerAddress)
{
}

void ProtocolServer::incomingConnection(qintptr socket)
{
    const quint64 id = m_nextId++;
    auto *connection = new ProtocolConnection(static_cast<int>(socket), m_limits, this);
    // Connections turned away count for neither limit: they are answered and closed at once.
    const bool admitted = m_admitted < m_limits.maxConnections && m_perAddress.admit(connection->peer());
    m_admitted += admitted ? 1 : 0;
    connect(connection, &ProtocolConnection::finished, this, [this, id, admitted](ProtocolConnection *done) {
        m_connections.remove(id);
        if (admitted) {
            --m_admitted;
            m_perAddress.release(done->peer());
        }
        done->deleteLater();
    });
    m_connections.insert(id, connection);
    if (admitted)
        admit(id, connection);
    else
        deliver(id, replies::busy(), "busy");
}

void ProtocolServer::admit(quint64 id, ProtocolConnection *connection)
{
    connect(connection, &ProtocolConnection::refusedEarly, this,
            [this, id](ProtocolConnection *, const std::string &reason) {
                deliver(id, replies::refused(reason), "refused: " + reason);
            });
    connect(connection, &ProtocolConnection::messageReceived, this,
            [this, id](ProtocolConnection *from, const std::string &message) {
                act(id, from->peer(), message, from->message());
            });
    connect(connection, &ProtocolConnection::unanswered, this, [this, id](ProtocolConnection *) {
        deliver(id, replies::databaseSilent(), "database did not answer within the connection time limit");
    });
}

void ProtocolServer::act(quint64 id, const std::string &peer, const std::string &message, ParsedMessage parsed)
{
    Request request = interpretMessage(std::move(parsed));
    if (auto *error = std::get_if<MessageError>(&request))
        deliver(id, replies::refused(error->reason), "refused: " + error->reason);
    else if (auto *get = std::get_if<GetRequest>(&request))
        lookUp(id, get->id);
    else
        submit(id, peer, message, std::get<SubmitRequest>(std::move(request)));
}

void ProtocolServer::submit(quint64 id, const std::string &peer, const std::string &message, SubmitRequest request)
{
    if (!m_rate.admit(peer, rules::SubmissionRate::Clock::now())) {
        deliver(id, replies::tooManySubmissions(m_rate.perMinute()), "SUBMIT refused: rate");
        return;
    }
    const std::string summary = submitSummary(request.checked);
    if (request.checked.accepted.empty()) {
        deliver(id, replies::submitted(request.checked, {}, m_webAddress), summary);
        return;
    }
    NewSubmission submission{message, "tcp", peer, std::move(request.message), request.checked, m_rate.perMinute()};
    m_database.submit(std::move(submission),
                      [this, id, checked = std::move(request.checked), summary, webAddress = m_webAddress,
                       perMinute = m_rate.perMinute()](DatabaseWorker::StoreOutcome outcome) {
                          if (outcome.stored && outcome.submission.overRate)
                              deliverLater(id, replies::tooManySubmissions(perMinute), "SUBMIT refused: rate");
                          else if (outcome.stored)
                              deliverLater(id, replies::submitted(checked, outcome.submission, webAddress), summary,
                                           ranksNewResult(outcome.submission));
                          else if (outcome.failure == StoreUnavailable::Cause::DiskFull)
                              deliverLater(id, replies::databaseFull(), "SUBMIT database full");
                          else
                              deliverLater(id, replies::databaseUnavailable(), "SUBMIT database unavailable");
                      });
}

void ProtocolServer::lookUp(quint64 id, std::int64_t resultId)
{
    m_database.lookup(resultId, [this, id, resultId](DatabaseWorker::LookupOutcome outcome) {
        const std::string request = "GET " + std::to_string(resultId);
        if (!outcome.available)
            deliverLater(id, replies::databaseUnavailable(), request + " database unavailable");
        else if (outcome.result)
            deliverLater(id, replies::result(*outcome.result), request + " found");
        else
            deliverLater(id, replies::noSuchResult(std::to_string(resultId)), request + " not found");
    });
}

void ProtocolServer::deliverLater(quint64 id, std::string answer, std::string summary, bool leaderboardChanged)
{
    // `this` is only used back on the event loop, where the Handover runs
    // work only while the server is there.
    m_handover.sender()([this, id, answer = std::move(answer), summary = std::move(summary), leaderboardChanged] {
        if (leaderboardChanged)
            m_pages.invalidate();
        deliver(id, answer, summary);
    });
}

void ProtocolServer::deliver(quint64 id, const std::string &answer, const std::string &summary)
{
    ProtocolConnection *connection = m_connections.value(id);
    if (!connection)
        return;
    logLine("tcp " + connection->peer() + " " + summary);
    connection->answer(answer);
}

} // namespace tarvik::server
