#pragma once

#include "submit/server_address.h"
#include "submit/submit_console.h"
#include "submit/url_opener.h"
#include "submit/wsocket.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvik::submit {

// The client of the result server: sends the best times with the machine
// they were made on, keeps the result ids the server gives back, and looks
// up stored results. When the direct connection is switched off or fails,
// the submission goes to the server's web page through the browser instead.
class ResultClient {
public:
    ResultClient(SubmitConsole &console, ServerAddress server, UrlOpener openUrl = desktopOpener(),
                 ExchangeBounds bounds = {});

    // Submits every record made without quick mode under `s_name` with
    // `s_description`, after a line for each quick-mode test left out, and
    // returns the text for the user: the server's reply or what went wrong
    // (empty after a browser submission or when no reply came). When the
    // command came from the front end it also shows that text in a box
    // (unless `quiet`) and returns to the front end.
    std::string SendResults(const std::string &s_name, const std::string &s_description, bool quiet = false);
    // The server's text about the stored result `id`, or why there is none;
    // empty when no reply came.
    std::string GetResult(const std::string &id);
    // The result id the server gave for `Index` (1 to 16), 0 for none.
    std::int32_t getSubmissionId(std::int16_t Index) const;

    const ServerAddress &server() const { return m_server; }
    void setServer(const ServerAddress &server) { m_server = server; }

private:
    // SendResults without the lines about quick-mode tests, so that the
    // browser submission after a failed connection does not repeat them.
    std::string submitRecords(const std::string &s_name, const std::string &s_description, bool quiet);
    void submitThroughBrowser(const std::string &message);
    // The server's reply (empty when none came in time), or nothing when no
    // connection could be made.
    std::optional<std::string> submitDirectly(const std::string &message);
    std::string connectionFailed(const std::string &s_name, const std::string &s_description, bool quiet);
    // The reply, or nothing after saying that none came in time.
    std::optional<ServerReply> exchange(wsocket &socket, const std::string &message);
    void returnToGui(const std::string &result, bool quiet, bool atOnce);

    SubmitConsole &m_console;
    ServerAddress m_server;
    UrlOpener m_openUrl;
    ExchangeBounds m_bounds;
};

// The server to use at start: TARVIK_SERVER when it holds an address, else
// the built-in default.
ServerAddress startingServer();

} // namespace tarvik::submit
