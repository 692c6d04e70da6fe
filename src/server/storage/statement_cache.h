#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>
#include <unordered_map>

namespace tarvik::server {

// The statements a connection runs again and again (every submission
// runs the same few), each kept with its query. SQLite prepares each once
// instead of parsing it anew every time, which was most of the writer's
// work; PostgreSQL still gets each statement whole (see runStatement).
//
// A statement's query is the same object each time it runs, so its rows
// must have been read before the same statement runs again.
class StatementCache {
public:
    explicit StatementCache(QSqlDatabase &database) : m_database(database) {}
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // Runs `statement` with its values bound in order, as runStatement does.
    QSqlQuery &run(const QString &statement, const QVariantList &values = {});
    // Ends the reading of every statement, so that none keeps the
    // transaction's snapshot beyond its commit.
    void finishAll();
    // Drops every query: before the connection closes.
    void clear();

private:
    struct Entry {
        QSqlQuery query;
        bool prepared = false;
    };

    QSqlDatabase &m_database;
    std::unordered_map<QString, std::unique_ptr<Entry>> m_entries;
};

} // namespace tarvik::server
