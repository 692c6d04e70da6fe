#include "gui/standing_query.h"

#include "submit/leaderboard_page.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace tarvik::gui {

StandingQuery::StandingQuery(std::string webAddress, std::string processor, QObject *parent)
    : QObject(parent), m_webAddress(std::move(webAddress)), m_processor(std::move(processor)),
      m_network(new QNetworkAccessManager(this))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(TimeBoundMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("it did not answer within %1 seconds.").arg(TimeBoundMs / 1000));
    });
}

void StandingQuery::start()
{
    m_deadline.start();
    askForPage(1);
}

// Both boards page together; a board with fewer pages is read no further
// than its last.
void StandingQuery::askForPage(int page)
{
    QUrl url(QString::fromStdString(m_webAddress + "/api/results"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("processor"), QString::fromStdString(m_processor));
    query.addQueryItem(QStringLiteral("page6"), QString::number(page));
    query.addQueryItem(QStringLiteral("page11"), QString::number(page));
    url.setQuery(query);
    m_pending = m_network->get(QNetworkRequest(url));
    connect(m_pending, &QNetworkReply::finished, this, [this, reply = m_pending.data(), page] {
        reply->deleteLater();
        if (m_deadline.isActive())
            readPage(reply, page);
    });
}

void StandingQuery::readPage(QNetworkReply *reply, int page)
{
    if (reply->error() != QNetworkReply::NoError)
        return fail(reply->errorString() + QLatin1Char('.'));
    const auto boards = submit::readLeaderboardPage(reply->readAll(), m_processor);
    if (!boards)
        return fail(QStringLiteral("its answer was not the leaderboard."));
    for (const auto &[test, board] : *boards) {
        if (page == 1)
            m_pageCount = std::max(m_pageCount, board.pageCount);
        if (page <= board.pageCount) {
            std::vector<double> &times = m_seconds[test];
            times.insert(times.end(), board.seconds.begin(), board.seconds.end());
        }
    }
    if (page < m_pageCount)
        return askForPage(page + 1);
    m_deadline.stop();
    emit answered(m_seconds);
}

void StandingQuery::fail(const QString &why)
{
    m_deadline.stop();
    if (m_pending)
        m_pending->abort();
    emit failed(why);
}

} // namespace tarvik::gui
