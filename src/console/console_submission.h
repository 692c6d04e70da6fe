#pragma once

#include <QString>

#include <memory>

namespace tarvik {

class frmMain;

namespace submit {
class ResultClient;
class SubmitConsole;
} // namespace submit

// The result server's client working for the console, which owns it: the
// console's commands and the front end's submission panel both use it. It
// sees the console through the submission's own view, which the console
// implements here.
class ConsoleSubmission {
public:
    explicit ConsoleSubmission(frmMain &console);
    ~ConsoleSubmission();

    submit::ResultClient &client() { return *m_client; }
    submit::SubmitConsole &console() { return *m_view; }

    // The last address a submission handed to the browser when no browser
    // could be started for it; empty when the browser started. The console
    // prints the address as well.
    const QString &unopenedAddress() const { return m_unopenedAddress; }
    void forgetUnopenedAddress() { m_unopenedAddress.clear(); }

private:
    QString m_unopenedAddress;
    std::unique_ptr<submit::SubmitConsole> m_view;
    std::unique_ptr<submit::ResultClient> m_client;
};

} // namespace tarvik
