#include "storage/sql_statement.h"

#include "storage/store_unavailable.h"

#include <QSqlError>

namespace tarvik::server {

QSqlQuery runStatement(QSqlDatabase &database, const QString &statement, std::initializer_list<QVariant> values)
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
        throw StoreUnavailable(query.lastError().text().toStdString());
    return query;
}

} // namespace tarvik::server
