#include "request_log.h"

#include <QDateTime>

#include <cstdio>
#include <mutex>

namespace tarvik::server {

void logLine(const std::string &line)
{
    static std::mutex mutex;
    const std::string stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")).toStdString();
    std::lock_guard lock(mutex);
    std::fprintf(stderr, "%s %s\n", stamp.c_str(), line.c_str());
    std::fflush(stderr);
}

} // namespace tarvik::server
