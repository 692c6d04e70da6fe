#include "storage/sql_statement.h"

#include "storage/store_unavailable.h"

#include <QSqlError>
#include <QStringList>

#include <algorithm>

namespace tarvik::server {

namespace {

using Cause = StoreUnavailable::Cause;

Cause causeOf(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    if (error.type() == QSqlError::ConnectionError || code.isEmpty())
        return Cause::Unreachable;
    // SQLite's SQLITE_FULL, PostgreSQL's disk_full.
    if (code == QLatin1String("13") || code == QLatin1String("53100"))
        return Cause::DiskFull;
    // SQLite's busy, locked and I/O errors; PostgreSQL's broken connections,
    // its lack of resources, a lock or a statement out of time (55P03,
    // 57014) and a server shutting down.
    static const QStringList passing = {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("10")};
    static const QStringList passingClasses = {QStringLiteral("08"), QStringLiteral("53"), QStringLiteral("55P03"),
                                               QStringLiteral("57")};
    const bool passes =
        passing.contains(code) || std::any_of(passingClasses.begin(), passingClasses.end(),
                                              [&](const QString &prefix) { return code.startsWith(prefix); });
    return passes ? Cause::Unreachable : Cause::Refused;
}

} // namespace

QSqlQuery runStatement(QSqlDatabase &database, const QString &statement, const QVariantList &values)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    // PostgreSQL cannot prepare schema changes, so statements without values run as they are.
    bool done = false;
    if (values.size() == 0) {
        done = query.exec(statement);
    } else if (query.prepare(statement)) {
        for (const QVariant &value : values)
            query.addBindValue(value);
        done = query.exec();
    }
    if (!done)
        throw storeFault(query.lastError());
    return query;
}

StoreUnavailable storeFault(const QSqlError &error)
{
    return StoreUnavailable(error.text().toStdString(), causeOf(error));
}

} // namespace tarvik::server
