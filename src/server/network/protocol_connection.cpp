#include "network/protocol_connection.h"

namespace tarvik::server {

namespace {

// Time a client gets to take its answer and close before it is dropped.
constexpr std::chrono::milliseconds Grace{5000};

} // namespace

ProtocolConnection::ProtocolConnection(int socket, const ServerLimits &limits, QObject *parent)
    : QObject(parent),
      m_limits(limits),
      m_channel(socket, {[this](std::string_view bytes) { take(bytes); }, [this] { senderFinished(); },
                         [this] { answerSent(); }, [this] { close(); }})
{
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(m_limits.quietTime);
    connect(&m_quietTimer, &QTimer::timeout, this, &ProtocolConnection::deliver);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &ProtocolConnection::timeIsUp);
    m_deadline.start(m_limits.connectionTimeLimit);
}

ProtocolConnection::~ProtocolConnection() = default;

void ProtocolConnection::timeIsUp()
{
    if (!m_delivered)
        refuse("no complete message within " + std::to_string(m_limits.connectionTimeLimit.count()) + " ms");
    else if (!m_answered)
        emit unanswered(this);
    else
        close(); // the answer was not taken in time
}

void ProtocolConnection::take(std::string_view bytes)
{
    if (m_delivered)
        return; // after the message: read and dropped
    m_reader.feed(bytes);
    if (m_reader.bytes().size() > static_cast<std::size_t>(m_limits.maxMessageBytes)) {
        refuse("the message is longer than " + std::to_string(m_limits.maxMessageBytes) + " bytes");
        return;
    }
    if (const std::optional<MessageError> error = m_reader.problem()) {
        m_quietTimer.stop();
        if (!error->incomplete)
            refuse(error->reason);
    } else if (m_reader.isGet()) {
        deliver();
    } else {
        // A SUBMIT may go on with further tests: wait for the quiet time.
        m_quietTimer.start();
    }
}

void ProtocolConnection::senderFinished()
{
    m_senderDone = true;
    if (m_answered && !m_channel.isSending())
        close();
    else if (!m_delivered && !m_reader.bytes().empty())
        deliver();
    else if (!m_delivered)
        close(); // connected and left without a word
}

void ProtocolConnection::deliver()
{
    m_quietTimer.stop();
    m_delivered = true;
    emit messageReceived(this, m_reader.bytes());
}

void ProtocolConnection::refuse(const std::string &reason)
{
    m_quietTimer.stop();
    m_delivered = true;
    emit refusedEarly(this, reason);
}

void ProtocolConnection::answer(const std::string &text)
{
    if (!m_channel.isOpen() || m_answered)
        return;
    m_answered = true;
    m_deadline.start(Grace);
    m_channel.send(text);
}

void ProtocolConnection::answerSent()
{
    // Our side is done; the socket closes when the client has read and closes too.
    m_channel.finishSending();
    if (m_senderDone)
        close();
}

void ProtocolConnection::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_quietTimer.stop();
    m_deadline.stop();
    m_channel.close();
    emit finished(this);
}

} // namespace tarvik::server
