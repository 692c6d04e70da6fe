#pragma once

#include "storage/store_unavailable.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace tarvik::server {

// Prepares and runs one statement with its values bound in order; a failure
// throws StoreUnavailable with the database's own message.
QSqlQuery runStatement(QSqlDatabase &database, const QString &statement, const QVariantList &values = {});

// The fault for a failed statement or transaction, its cause read from the
// database's own error code.
StoreUnavailable storeFault(const QSqlError &error);

// Runs `work` in a transaction: all of it or, when it throws StoreUnavailable
// or the commit fails, nothing.
template <typename Work>
void inTransaction(QSqlDatabase &database, Work work)
{
    if (!database.transaction())
        throw storeFault(database.lastError());
    try {
        work();
    } catch (const StoreUnavailable &) {
        database.rollback();
        throw;
    }
    if (!database.commit())
        throw storeFault(database.lastError());
}

} // namespace tarvik::server
