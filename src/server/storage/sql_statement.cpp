#include "storage/sql_statement.h"

#include "storage/store_unavailable.h"

#include <QSqlError>

namespace tarvik::server {

QSqlQuery runStatement(QSqlDatabase &database, const QString &statement, std::initializer_list<QVariant> values)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw StoreUnavailable(query.lastError().text().toStdString());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw StoreUnavailable(query.lastError().text().toStdString());
    return query;
}

} // namespace tarvik::server
