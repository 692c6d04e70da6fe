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
        return removeResult(options.database, options.removeId);
    case ServerOptions::Task::Export:
        return exportResults(options.database, options.exportFile);
    case ServerOptions::Task::Serve:
        break;
    }
    return serve(options);
}
