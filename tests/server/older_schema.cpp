#include "older_schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <stdexcept>
#include <vector>

namespace tarvik::server::testing {

namespace {

// What each version added, undone; index `v` takes version v + 1 back to v.
const std::vector<std::vector<const char *>> Undo = {
    {},
    {},
    {"DROP TABLE best_results", "DROP INDEX submissions_by_group"},
    {"DROP TABLE audit_log", "DROP INDEX results_by_checksum", "DROP INDEX results_by_verdict",
     "DROP INDEX submissions_by_band", "ALTER TABLE results DROP COLUMN verdict",
     "ALTER TABLE results DROP COLUMN rule", "ALTER TABLE results DROP COLUMN reason",
     "ALTER TABLE results DROP COLUMN rules_version", "ALTER TABLE submissions DROP COLUMN listed",
     "ALTER TABLE submissions DROP COLUMN key_hash"},
    {"DROP TABLE address_rate"},
};

void open(QSqlDatabase &connection, const QString &database)
{
    if (!database.startsWith(QLatin1String("postgresql://"))) {
        connection.setDatabaseName(database);
    } else {
        const QUrl address(database);
        connection.setHostName(address.host());
        connection.setPort(address.port(5432));
        connection.setUserName(address.userName());
        connection.setPassword(address.password());
        connection.setDatabaseName(address.path().mid(1));
    }
    if (!connection.open())
        throw std::runtime_error("cannot open " + database.toStdString() + ": " +
                                 connection.lastError().text().toStdString());
}

} // namespace

void makeOlderSchema(const QString &database, int version)
{
    const QString name = QStringLiteral("older-schema");
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(
            database.startsWith(QLatin1String("postgresql://")) ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
            name);
        open(connection, database);
        std::vector<QString> statements;
        for (int from = static_cast<int>(Undo.size()); from > version; --from)
            for (const char *statement : Undo[static_cast<std::size_t>(from - 1)])
                statements.emplace_back(QString::fromLatin1(statement));
        statements.push_back(QStringLiteral("UPDATE tarvik_schema SET version = %1").arg(version));
        for (const QString &statement : statements) {
            QSqlQuery query(connection);
            if (!query.exec(statement))
                throw std::runtime_error(statement.toStdString() + ": " + query.lastError().text().toStdString());
        }
        connection.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace tarvik::server::testing
