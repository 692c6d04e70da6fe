#include "maintenance.h"
#include "serve.h"
#include "server_options.h"

#include "foundation/product.h"

#include <QCoreApplication>

using namespace tarvik::server;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Morlo"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvik-server"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(tarvik::ProductVersion));

    const ServerOptions options = parseServerOptions(QCoreApplication::arguments());
    switch (options.task) {
    case ServerOptions::Task::Remove:
        return removeResult(options.database, options.resultId);
    case ServerOptions::Task::Export:
        return exportResults(options.database, options.exportFile);
    case ServerOptions::Task::Dump:
        return dumpResults(options.database, options.exportFile);
    case ServerOptions::Task::Review:
        return listHeldResults(options.database);
    case ServerOptions::Task::Approve:
        return decideResult(options.database, options.resultId, tarvik::server::rules::Verdict::Accepted,
                            options.why.isEmpty() ? QStringLiteral("approved") : options.why);
    case ServerOptions::Task::Refuse:
        return decideResult(options.database, options.resultId, tarvik::server::rules::Verdict::Refused, options.why);
    case ServerOptions::Task::Serve:
        break;
    }
    return serve(options);
}
