#include "sql_connection.h"

#include <QSqlError>
#include <QUrl>

#include <stdexcept>

namespace tarvik::server::testing {

namespace {

bool isPostgreSQL(const QString &database)
{
    return database.startsWith(QLatin1String("postgresql://"));
}

} // namespace

SqlConnection::SqlConnection(const QString &database) : m_name(QStringLiteral("tests-own"))
{
    m_connection =
        QSqlDatabase::addDatabase(isPostgreSQL(database) ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), m_name);
    if (!isPostgreSQL(database)) {
        m_connection.setDatabaseName(database);
    } else {
        const QUrl address(database);
        m_connection.setHostName(address.host());
        m_connection.setPort(address.port(5432));
        m_connection.setUserName(address.userName());
        m_connection.setPassword(address.password());
        m_connection.setDatabaseName(address.path().mid(1));
    }
    if (!m_connection.open())
        throw std::runtime_error("cannot open " + database.toStdString() + ": " +
                                 m_connection.lastError().text().toStdString());
}

SqlConnection::~SqlConnection()
{
    m_connection.close();
    m_connection = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlQuery SqlConnection::run(const QString &statement)
{
    QSqlQuery query(m_connection);
    if (!query.exec(statement))
        throw std::runtime_error(statement.toStdString() + ": " + query.lastError().text().toStdString());
    return query;
}

} // namespace tarvik::server::testing
