#include "storage/database_settings.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

#include <stdexcept>

namespace tarvik::server {

DatabaseSettings DatabaseSettings::fromArgument(const QString &argument)
{
    DatabaseSettings settings;
    if (!argument.startsWith(QLatin1String("postgresql://")) && !argument.startsWith(QLatin1String("postgres://"))) {
        settings.sqliteFile = argument;
        return settings;
    }
    const QUrl address(argument, QUrl::StrictMode);
    const QString name = address.path().mid(1);
    if (!address.isValid() || address.host().isEmpty() || name.isEmpty())
        throw std::invalid_argument("not a PostgreSQL address: use postgresql://user@host:port/name");
    settings.kind = Kind::PostgreSQL;
    settings.host = address.host();
    settings.port = address.port(5432);
    settings.user = address.userName();
    settings.password = address.password();
    settings.name = name;
    return settings;
}

DatabaseSettings DatabaseSettings::defaultFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    DatabaseSettings settings;
    settings.sqliteFile = QDir(folder).filePath(QStringLiteral("results.sqlite"));
    return settings;
}

QString DatabaseSettings::description() const
{
    if (kind == Kind::SQLite)
        return sqliteFile;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(name);
}

} // namespace tarvik::server
