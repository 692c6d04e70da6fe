#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace tarvik::server::testing {

// A Qt SQL connection of the tests' own to a database the server uses (an
// SQLite file or a postgresql:// address), for what the server's answers do
// not show. Closed and removed at the end.
class SqlConnection {
public:
    // Throws std::runtime_error when the database cannot be opened.
    explicit SqlConnection(const QString &database);
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    // Runs `statement`; throws std::runtime_error with the database's message when it fails.
    QSqlQuery run(const QString &statement);

private:
    QString m_name;
    QSqlDatabase m_connection;
};

} // namespace tarvik::server::testing
