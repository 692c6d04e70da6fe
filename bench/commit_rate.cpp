#include "commit_rate.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <stdexcept>

namespace tarvik::bench {

namespace {

const QString ConnectionName = QStringLiteral("commit-rate");

void run(QSqlQuery &query, const QString &statement)
{
    if (!query.exec(statement))
        throw std::runtime_error(query.lastError().text().toStdString());
}

double countCommits(QSqlDatabase &database, std::chrono::seconds duration)
{
    QSqlQuery query(database);
    run(query, QStringLiteral("PRAGMA journal_mode = WAL"));
    run(query, QStringLiteral("PRAGMA synchronous = FULL"));
    run(query, QStringLiteral("CREATE TABLE rows (id INTEGER PRIMARY KEY, payload TEXT NOT NULL)"));
    if (!query.prepare(QStringLiteral("INSERT INTO rows (payload) VALUES (?)")))
        throw std::runtime_error(query.lastError().text().toStdString());
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + duration;
    long long commits = 0;
    // Outside a transaction every insert is its own durable commit.
    while (std::chrono::steady_clock::now() < end) {
        query.addBindValue(QStringLiteral("a row about as long as a result's"));
        if (!query.exec())
            throw std::runtime_error(query.lastError().text().toStdString());
        ++commits;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return commits / elapsed.count();
}

} // namespace

double sqliteCommitRate(const QString &folder, std::chrono::seconds duration)
{
    double rate = 0;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
        database.setDatabaseName(QDir(folder).filePath(QStringLiteral("commit-rate.sqlite")));
        if (!database.open())
            throw std::runtime_error(database.lastError().text().toStdString());
        rate = countCommits(database, duration);
        database.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName);
    return rate;
}

} // namespace tarvik::bench
