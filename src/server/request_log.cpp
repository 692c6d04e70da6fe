#include "request_log.h"

#include <QDateTime>

#include <cstdio>
#include <mutex>

namespace tarvik::server {

namespace {

std::string escapedControls(const std::string &line)
{
    std::string shown;
    shown.reserve(line.size());
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += c;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        shown += escape;
    }
    return shown;
}

} // namespace

void logLine(const std::string &line)
{
    static std::mutex mutex;
    const std::string stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")).toStdString();
    std::lock_guard lock(mutex);
    std::fprintf(stderr, "%s %s\n", stamp.c_str(), escapedControls(line).c_str());
    std::fflush(stderr);
}

} // namespace tarvik::server
