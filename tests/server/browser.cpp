#include "browser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace tarvik::server::testing {

std::string browse(const std::string &address)
{
    QTemporaryDir profile;
    QProcess browser;
    browser.setStandardErrorFile(QProcess::nullDevice());
    // Root needs --no-sandbox; a container's small /dev/shm needs the last flag.
    browser.start(QStringLiteral("chromium"),
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                   QStringLiteral("--disable-dev-shm-usage"), QStringLiteral("--user-data-dir=") + profile.path(),
                   QStringLiteral("--dump-dom"), QString::fromStdString(address)});
    if (!browser.waitForFinished(180000) || browser.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error("chromium did not load " + address + ": " + browser.errorString().toStdString());
    return browser.readAllStandardOutput().toStdString();
}

namespace {

// Chromium's DevTools protocol over --remote-debugging-pipe: it reads
// commands from its descriptor 3 and writes answers and events to 4, each
// message JSON ended by a NUL byte.
class DevTools {
public:
    explicit DevTools(const QStringList &arguments)
    {
        if (::pipe2(m_toBrowser, O_CLOEXEC) != 0 || ::pipe2(m_fromBrowser, O_CLOEXEC) != 0)
            throw std::runtime_error("no pipes for chromium");
        m_browser.setStandardErrorFile(QProcess::nullDevice());
        m_browser.setChildProcessModifier([this] {
            // Copied high first, so neither end is overwritten should it be 3 or
            // 4 already; dup2 leaves the copies open across exec.
            const int commands = ::fcntl(m_toBrowser[0], F_DUPFD, 10);
            const int answers = ::fcntl(m_fromBrowser[1], F_DUPFD, 10);
            ::dup2(commands, 3);
            ::dup2(answers, 4);
        });
        m_browser.start(QStringLiteral("chromium"), arguments + QStringList{QStringLiteral("--remote-debugging-pipe")});
        ::close(m_toBrowser[0]);
        ::close(m_fromBrowser[1]);
        if (!m_browser.waitForStarted())
            throw std::runtime_error("chromium did not start: " + m_browser.errorString().toStdString());
    }
    ~DevTools()
    {
        ::close(m_toBrowser[1]);
        ::close(m_fromBrowser[0]);
        m_browser.kill();
        m_browser.waitForFinished();
    }

    // Sends a command and gives its result, leaving events aside.
    QJsonObject command(const QString &method, const QJsonObject &parameters = {}, const QString &session = {})
    {
        QJsonObject message{{"id", ++m_lastId}, {"method", method}, {"params", parameters}};
        if (!session.isEmpty())
            message["sessionId"] = session;
        const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
        if (::write(m_toBrowser[1], bytes.data(), static_cast<size_t>(bytes.size())) != bytes.size())
            throw std::runtime_error("chromium does not take commands");
        for (;;) {
            const QJsonObject answer = next();
            if (answer["id"].toInt() != m_lastId)
                continue;
            if (answer.contains("error"))
                throw std::runtime_error(method.toStdString() + " failed: " +
                                         QJsonDocument(answer["error"].toObject()).toJson().toStdString());
            return answer["result"].toObject();
        }
    }
    void awaitEvent(const QString &method)
    {
        while (next()["method"].toString() != method) {}
    }

private:
    QJsonObject next()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(180);
        for (;;) {
            if (const qsizetype end = m_pending.indexOf('\0'); end >= 0) {
                const QByteArray message = m_pending.left(end);
                m_pending.remove(0, end + 1);
                return QJsonDocument::fromJson(message).object();
            }
            pollfd ready{m_fromBrowser[0], POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                throw std::runtime_error("chromium did not answer");
            char chunk[65536];
            const ssize_t got = ::read(m_fromBrowser[0], chunk, sizeof chunk);
            if (got <= 0)
                throw std::runtime_error("chromium closed its pipe");
            m_pending.append(chunk, got);
        }
    }

    int m_toBrowser[2] = {-1, -1};
    int m_fromBrowser[2] = {-1, -1};
    QProcess m_browser;
    QByteArray m_pending;
    int m_lastId = 0;
};

} // namespace

Layout layoutOf(const std::string &address, int width, bool dark)
{
    QTemporaryDir profile;
    DevTools browser({QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                      QStringLiteral("--disable-dev-shm-usage"), QStringLiteral("--user-data-dir=") + profile.path(),
                      QStringLiteral("about:blank")});
    QString page;
    for (const QJsonValue &target : browser.command("Target.getTargets")["targetInfos"].toArray())
        if (target["type"].toString() == "page")
            page = target["targetId"].toString();
    const QString session =
        browser.command("Target.attachToTarget", {{"targetId", page}, {"flatten", true}})["sessionId"].toString();
    browser.command("Page.enable", {}, session);
    browser.command("Emulation.setDeviceMetricsOverride",
                    {{"width", width}, {"height", 900}, {"deviceScaleFactor", 1}, {"mobile", false}}, session);
    browser.command(
        "Emulation.setEmulatedMedia",
        {{"features", QJsonArray{QJsonObject{{"name", "prefers-color-scheme"}, {"value", dark ? "dark" : "light"}}}}},
        session);
    browser.command("Page.navigate", {{"url", QString::fromStdString(address)}}, session);
    browser.awaitEvent("Page.loadEventFired");
    // Evaluated by the browser itself, which the page's policy against scripts does not bind.
    const QJsonObject result = browser.command(
        "Runtime.evaluate",
        {{"expression", "JSON.stringify({scrollWidth: document.documentElement.scrollWidth, innerWidth: innerWidth, "
                        "dark: matchMedia('(prefers-color-scheme: dark)').matches, "
                        "background: getComputedStyle(document.body).backgroundColor})"},
         {"returnByValue", true}},
        session);
    const QJsonObject shown = QJsonDocument::fromJson(result["result"]["value"].toString().toUtf8()).object();
    return {shown["scrollWidth"].toInt(), shown["innerWidth"].toInt(), shown["dark"].toBool(),
            shown["background"].toString().toStdString()};
}

} // namespace tarvik::server::testing
