#include "network/http_connection.h"

#include "request_log.h"
#include "requests/stored_submission.h"
#include "web/pages.h"

namespace tarvik::server {

namespace {

// Time a client gets to take an answer before it is dropped.
constexpr std::chrono::milliseconds Grace{5000};
// A body is read as a form: only a submission's management page takes one.
constexpr std::size_t MaxBodyBytes = 64 * 1024;

// A browser submission's SendStr may come percent-escaped, three bytes for
// each of the message's bytes, beside the usual header fields.
std::size_t maxHeadBytes(const ServerLimits &limits)
{
    return 3 * static_cast<std::size_t>(limits.maxMessageBytes) + 16 * 1024;
}

http::Response noticePage(int status, const std::string &text)
{
    return {status, http::HtmlType, pages::notice(http::reasonPhrase(status), text)};
}

// The target as the log shows it: a management address holds its
// submission's key, which the log must not keep.
std::string loggedTarget(const http::Request &request)
{
    return request.path == ManagementPage ? request.path : request.target;
}

} // namespace

HttpConnection::HttpConnection(int socket, const ServerLimits &limits, QObject *parent)
    : QObject(parent),
      m_limits(limits),
      m_channel(socket, {[this](std::string_view bytes) { take(bytes); }, [this] { inputEnded(); },
                         [this] { answerSent(); }, [this] { close(); }}),
      m_reader(maxHeadBytes(limits), MaxBodyBytes)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HttpConnection::timeIsUp);
    m_timer.start(m_limits.idleTime);
}

void HttpConnection::take(std::string_view bytes)
{
    if (m_stage == Stage::Closing)
        return; // after the last answer: read and dropped, so the answer is not cut off by a reset
    m_reader.feed(bytes);
    if (m_stage == Stage::Idle || m_stage == Stage::Reading)
        readNext();
}

void HttpConnection::readNext()
{
    http::ReadResult result = m_reader.next();
    if (auto *request = std::get_if<http::Request>(&result)) {
        // A request that came whole at once has its time limit from now.
        if (m_stage == Stage::Idle)
            m_timer.start(m_limits.connectionTimeLimit);
        m_stage = Stage::Waiting;
        m_request = std::move(*request);
        m_fallback = noticePage(503, "The server could not answer in time. Please try again later.");
        // Requests sent ahead wait in the socket until this one is answered.
        m_channel.stopReading();
        emit requestReceived(this, m_request);
    } else if (auto *refusal = std::get_if<http::Refusal>(&result)) {
        send(noticePage(refusal->status, "The request was refused: " + refusal->reason + "."), false);
    } else if (m_stage == Stage::Idle && m_reader.hasPending()) {
        m_stage = Stage::Reading;
        m_timer.start(m_limits.connectionTimeLimit);
    }
}

void HttpConnection::awaitAnswer(http::Response fallback)
{
    m_fallback = std::move(fallback);
}

void HttpConnection::answer(const http::Response &response)
{
    if (m_stage == Stage::Waiting)
        send(response, m_request.keepAlive && !m_inputEnded);
}

void HttpConnection::turnAway(const http::Response &response)
{
    m_timer.start(Grace);
    send(response, false);
}

void HttpConnection::send(const http::Response &response, bool keepAlive)
{
    const std::string request = m_request.method.empty() ? "-" : m_request.method + " " + loggedTarget(m_request);
    logLine("http " + peer() + " " + request + " " + std::to_string(response.status));
    m_stage = keepAlive ? Stage::Answering : Stage::Closing;
    m_timer.start(Grace);
    m_channel.send(http::responseBytes(response, keepAlive, m_request.method == "HEAD"));
}

void HttpConnection::answerSent()
{
    if (m_stage == Stage::Answering && !m_inputEnded) {
        waitForRequest();
        return;
    }
    // Our side is done; the socket closes when the client has read and closes too.
    m_stage = Stage::Closing;
    m_channel.finishSending();
    if (m_inputEnded)
        close();
    else
        m_channel.resumeReading();
}

void HttpConnection::waitForRequest()
{
    m_stage = Stage::Idle;
    m_request = {};
    m_timer.start(m_limits.idleTime);
    // A request sent ahead is taken from the event loop, not from here: one
    // client's pipelined requests take turns with everyone else's.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_stage != Stage::Idle)
                return;
            readNext();
            if (m_stage == Stage::Idle || m_stage == Stage::Reading)
                m_channel.resumeReading();
        },
        Qt::QueuedConnection);
}

void HttpConnection::inputEnded()
{
    m_inputEnded = true;
    // Without a whole request there is nothing to answer; an answer on its
    // way still goes out.
    if (m_stage == Stage::Idle || m_stage == Stage::Reading || (m_stage == Stage::Closing && !m_channel.isSending()))
        close();
}

void HttpConnection::timeIsUp()
{
    switch (m_stage) {
    case Stage::Idle:
        close(); // no request came
        break;
    case Stage::Reading:
        send(noticePage(408, "The request did not arrive within " +
                                 std::to_string(m_limits.connectionTimeLimit.count()) + " ms."),
             false);
        break;
    case Stage::Waiting:
        send(m_fallback, false);
        break;
    case Stage::Answering:
    case Stage::Closing:
        close(); // the answer was not taken in time
        break;
    }
}

void HttpConnection::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_timer.stop();
    m_channel.close();
    emit finished(this);
}

} // namespace tarvik::server
