#pragma once

#include "storage/store_unavailable.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <type_traits>

namespace tarvik::server {

// Runs one statement with its values bound in order; a failure
// throws StoreUnavailable with the database's own message.
QSqlQuery runStatement(QSqlDatabase &database, const QString &statement, const QVariantList &values = {});
// The same on a query of the caller's, which SQLite prepares for the
// statement unless `prepared` says it has been already (and then sets it).
void runOn(QSqlQuery &query, const QString &statement, const QVariantList &values, bool &prepared);

// The fault for a failed statement or transaction, its cause read from the
// database's own error code.
StoreUnavailable storeFault(const QSqlError &error);

// Within a new transaction: the time bounds of its statements and locks.
void boundTransaction(QSqlDatabase &database);

// Runs `work` in a transaction with its time bounds and gives what it gives:
// all of it or, when it throws StoreUnavailable or the commit fails, nothing.
template <typename Work>
auto inTransaction(QSqlDatabase &database, Work work)
{
    if (!database.transaction())
        throw storeFault(database.lastError());
    auto commit = [&] {
        if (!database.commit())
            throw storeFault(database.lastError());
    };
    try {
        boundTransaction(database);
        if constexpr (std::is_void_v<std::invoke_result_t<Work>>) {
            work();
            commit();
        } else {
            auto result = work();
            commit();
            return result;
        }
    } catch (const StoreUnavailable &) {
        database.rollback();
        throw;
    }
}

} // namespace tarvik::server
