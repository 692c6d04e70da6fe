#include "serve.h"

#include "network/protocol_server.h"
#include "request_log.h"
#include "network/web_front.h"
#include "stop_signals.h"
#include "storage/database_worker.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"
#include "web/page_cache.h"

#include <QCoreApplication>
#include <QHostInfo>

#include <memory>
#include <sys/resource.h>

namespace tarvik::server {

namespace {

// The schema is brought up to date before any request, so that requests never
// race to create it. A database that is down now is tried again per request.
void prepareDatabase(const DatabaseSettings &database)
{
    try {
        ResultStore(database).open();
    } catch (const StoreUnavailable &fault) {
        logLine("database unavailable: " + std::string(fault.what()) + "; serving anyway, trying again per request");
    }
}

// Every open connection is a descriptor; the usual soft limit of 1024 would
// stop the server well before its connection limits do.
void raiseDescriptorLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

std::string webAddress(const ServerOptions &options, quint16 httpPort)
{
    if (!options.webAddress.isEmpty())
        return options.webAddress.endsWith(u'/') ? options.webAddress.chopped(1).toStdString()
                                                 : options.webAddress.toStdString();
    return "http://" + QHostInfo::localHostName().toStdString() + ":" + std::to_string(httpPort);
}

} // namespace

int serve(const ServerOptions &options)
{
    raiseDescriptorLimit();
    prepareDatabase(options.database);
    auto database = std::make_unique<DatabaseWorker>(options.database);

    rules::SubmissionRate rate(options.limits.submissionsPerMinute);
    // Both sides store results, and either one's new result drops the pages.
    PageCache pages(options.limits.pageCacheTime, static_cast<std::size_t>(options.limits.cachedPages));
    auto protocol = std::make_unique<ProtocolServer>(*database, rate, pages, options.limits);
    if (!protocol->listen(QHostAddress(options.address), static_cast<quint16>(options.tcpPort))) {
        logLine("Unable to start the server: " + protocol->errorString().toStdString() + ".");
        return 1;
    }
    auto web = std::make_unique<WebFront>(*database, rate, pages, options.database, options.readDatabase,
                                          options.limits, options.offeredDump);
    if (!web->listen(QHostAddress(options.address), static_cast<quint16>(options.httpPort))) {
        logLine("Unable to start the web server on port " + std::to_string(options.httpPort) + ": " +
                web->errorString().toStdString() + ".");
        return 1;
    }
    protocol->setWebAddress(webAddress(options, web->serverPort()));
    logLine("listening on TCP port " + std::to_string(protocol->serverPort()) + " and HTTP port " +
            std::to_string(web->serverPort()) + " at " + options.address.toStdString() + ", database " +
            options.database.description().toStdString() +
            (options.readDatabase ? ", pages from " + options.readDatabase->description().toStdString() : ""));

    StopSignals stopSignals;
    const int status = QCoreApplication::exec();

    // No new clients; the worker writes what is queued and its answers still
    // find both sides, then the sides close their connections.
    web->close();
    protocol->close();
    database.reset();
    web.reset();
    protocol.reset();
    logLine("stopped");
    return status;
}

} // namespace tarvik::server
