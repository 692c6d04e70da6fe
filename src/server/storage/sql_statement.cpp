#include "storage/sql_statement.h"

#include "storage/store_unavailable.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
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

bool isPostgreSQL(const QSqlDriver &driver)
{
    return driver.dbmsType() == QSqlDriver::PostgreSQL;
}

QString literal(const QSqlDriver &driver, const QVariant &value)
{
    QSqlField field(QString(), value.metaType());
    if (!value.isNull())
        field.setValue(value);
    return driver.formatValue(field);
}

StoreUnavailable placesAndValuesDiffer()
{
    return StoreUnavailable("a statement's places and values do not match", Cause::Refused);
}

// `statement` with each ? outside quotes replaced by its value, written and
// escaped by the driver for this connection (the same text the PostgreSQL
// driver itself sends with EXECUTE).
QString withValues(const QSqlDriver &driver, const QString &statement, const QVariantList &values)
{
    QString whole;
    qsizetype next = 0;
    bool quoted = false;
    for (const QChar c : statement) {
        if (c == u'\'')
            quoted = !quoted;
        if (c != u'?' || quoted) {
            whole += c;
            continue;
        }
        if (next == values.size())
            throw placesAndValuesDiffer();
        whole += literal(driver, values[next++]);
    }
    if (next != values.size())
        throw placesAndValuesDiffer();
    return whole;
}

bool bindAndRun(QSqlQuery &query, const QVariantList &values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    return query.exec();
}

} // namespace

void runOn(QSqlQuery &query, const QString &statement, const QVariantList &values, bool &prepared)
{
    // PostgreSQL's driver prepares with PREPARE and EXECUTE statements of
    // the session, which a pooler in transaction mode may send to different
    // server connections (and whose names clash between clients there), so
    // PostgreSQL gets every statement whole. It cannot prepare schema
    // changes either, so statements without values run as they are.
    bool done = false;
    if (values.isEmpty())
        done = query.exec(statement);
    else if (isPostgreSQL(*query.driver()))
        done = query.exec(withValues(*query.driver(), statement, values));
    else {
        if (!prepared)
            prepared = query.prepare(statement);
        done = prepared && bindAndRun(query, values);
    }
    if (!done)
        throw storeFault(query.lastError());
}

QSqlQuery runStatement(QSqlDatabase &database, const QString &statement, const QVariantList &values)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    bool prepared = false;
    runOn(query, statement, values, prepared);
    return query;
}

void boundTransaction(QSqlDatabase &database)
{
    if (!isPostgreSQL(*database.driver()))
        return;
    // Every wait on the database has a bound: each statement, each lock,
    // and a transaction its client has left open. Set within the
    // transaction, they hold on whichever server connection a pooler gives
    // it, and need no startup option a pooler would refuse.
    runStatement(database, QStringLiteral("SELECT set_config('statement_timeout', '5000', true), "
                                          "set_config('lock_timeout', '5000', true), "
                                          "set_config('idle_in_transaction_session_timeout', '30000', true)"));
}

StoreUnavailable storeFault(const QSqlError &error)
{
    return StoreUnavailable(error.text().toStdString(), causeOf(error));
}

} // namespace tarvik::server
