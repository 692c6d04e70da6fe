#include "submit/result_client.h"

#include "foundation/fault.h"
#include "protocol/message_builder.h"
#include "submit/browser_submission.h"
#include "submit/result_reply.h"
#include "submit/submit_message.h"
#include "submit/submitted_records.h"

namespace tarvik::submit {

namespace {

const char *const UnableToConnect = "Unable to connect to server. Please check your internet connection.";
const char *const ProhibitsDirectConnection = "Your internet connection prohibits direct connection to the tarvik "
                                              "server. Your result will only be submitted to hwbot.";
const char *const NoTimelyReply = "Server did not respond in a timely manner. There may be a problem with our "
                                  "server or your internet connection.";
// Kept word for word: users and their guides know the submission's failure by it.
const char *const SubmissionFailed = "Missing Microsoft Winsock library. Please install using the command, "
                                     "'install mswinsck.ocx' to be able to submit your scores.";

// The reply as the console shows it, with a line when its end was dropped.
std::string shownReply(const ServerReply &reply, std::size_t mostBytes)
{
    std::string shown = visibleText(reply.bytes);
    if (reply.cut)
        shown +=
            "\r\nThe server's reply was longer than " + std::to_string(mostBytes) + " bytes; the rest was dropped.";
    return shown;
}

} // namespace

ResultClient::ResultClient(SubmitConsole &console, ServerAddress server, UrlOpener openUrl, ExchangeBounds bounds)
    : m_console(console),
      m_server(std::move(server)),
      m_openUrl(std::move(openUrl)),
      m_bounds(bounds)
{
}

std::string ResultClient::SendResults(const std::string &s_name, const std::string &s_description, bool quiet)
{
    for (const std::int16_t test : submittedRecords(m_console.records()).quickModeTests)
        m_console.PrintLn(quickModeNotice(test));
    return submitRecords(s_name, s_description, quiet);
}

std::string ResultClient::submitRecords(const std::string &s_name, const std::string &s_description, bool quiet)
{
    std::string result;
    try {
        m_console.saveUserName(s_name);
        const std::string message = BuildSubmit(s_name, s_description, m_console.hardware(), m_console.threads(),
                                                m_console.records(), m_console.decimalSeparator());
        if (m_console.subHttp()) {
            submitThroughBrowser(message);
        } else {
            const std::optional<std::string> reply = submitDirectly(message);
            if (!reply)
                return connectionFailed(s_name, s_description, quiet);
            result = *reply;
        }
    } catch (const Fault &) {
        // Nothing was sent (a record without its checksum, for one).
        result = SubmissionFailed;
        returnToGui(result, quiet, true);
        return result;
    }
    returnToGui(result, quiet, false);
    return result;
}

std::string ResultClient::GetResult(const std::string &id)
{
    wsocket socket(m_bounds);
    if (!socket.Connect(m_server))
        return UnableToConnect;
    const std::optional<ServerReply> reply = exchange(socket, buildGet(id));
    return reply ? shownReply(*reply, m_bounds.replyBytes) : std::string();
}

std::int32_t ResultClient::getSubmissionId(std::int16_t Index) const
{
    return m_console.submissionIds().get(Index);
}

void ResultClient::submitThroughBrowser(const std::string &message)
{
    m_console.PrintLn("Submitting via HTTP");
    const std::string url = browserSubmissionUrl(webAddress(m_server), message);
    if (!m_openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode)))
        m_console.PrintLn("No web browser could be started. The submission address is " + url);
}

std::optional<std::string> ResultClient::submitDirectly(const std::string &message)
{
    wsocket socket(m_bounds);
    if (!socket.Connect(m_server))
        return std::nullopt;
    const std::optional<ServerReply> reply = exchange(socket, message);
    if (!reply)
        return std::string();
    // The ids come from the reply as the server sent it; only what is shown is escaped.
    storeResultIds(reply->bytes, m_console.submissionIds());
    return shownReply(*reply, m_bounds.replyBytes);
}

// Once a direct connection has failed, submissions go through the browser
// for the rest of the run, starting with this one. From the front end a
// machine that failed before is not told again.
std::string ResultClient::connectionFailed(const std::string &s_name, const std::string &s_description, bool quiet)
{
    std::string result;
    if (!(m_console.directConnectionFailed() && m_console.revertToGui())) {
        result = m_console.revertToGui() ? ProhibitsDirectConnection : UnableToConnect;
        m_console.rememberDirectConnectionFailed();
    }
    m_console.setSubHttp(true);
    submitRecords(s_name, s_description, quiet);
    return result;
}

std::optional<ServerReply> ResultClient::exchange(wsocket &socket, const std::string &message)
{
    m_console.PrintLn("Connected!");
    std::optional<ServerReply> reply = socket.exchange(message);
    if (!reply)
        m_console.PrintLn(NoTimelyReply);
    return reply;
}

void ResultClient::returnToGui(const std::string &result, bool quiet, bool atOnce)
{
    if (!m_console.revertToGui())
        return;
    if (!quiet)
        m_console.showMessage(result);
    if (atOnce)
        m_console.runGui();
    else
        m_console.submitGuiLine();
}

ServerAddress startingServer()
{
    const std::optional<ServerAddress> fromEnvironment =
        parseServerAddress(qEnvironmentVariable("TARVIK_SERVER").toStdString());
    return fromEnvironment.value_or(ServerAddress{DefaultServerHost});
}

} // namespace tarvik::submit
