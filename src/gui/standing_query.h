#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvik::gui {

// Asks a result server for every leaderboard time of one processor, page by
// page, within a time bound, on the event loop: the window that asks stays
// responsive while the server answers, or does not.
class StandingQuery : public QObject {
    Q_OBJECT
public:
    // Beyond this the window stops waiting and says the server did not
    // answer: a leaderboard page takes milliseconds to give.
    static constexpr int TimeBoundMs = 5000;

    StandingQuery(std::string webAddress, std::string processor, QObject *parent);
    void start();

signals:
    // The server's times of the processor by test number.
    void answered(const std::map<std::int16_t, std::vector<double>> &seconds);
    // Why no answer came, as a sentence.
    void failed(const QString &why);

private:
    void askForPage(int page);
    void readPage(QNetworkReply *reply, int page);
    void fail(const QString &why);

    std::string m_webAddress;
    std::string m_processor;
    QNetworkAccessManager *m_network;
    QTimer m_deadline;
    QPointer<QNetworkReply> m_pending;
    std::map<std::int16_t, std::vector<double>> m_seconds;
    int m_pageCount = 1;
};

} // namespace tarvik::gui
