#include "browser.h"

#include <QProcess>
#include <QTemporaryDir>

#include <stdexcept>

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

} // namespace tarvik::server::testing
