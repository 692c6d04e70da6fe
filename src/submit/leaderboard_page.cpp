#include "submit/leaderboard_page.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvik::submit {

std::optional<std::map<std::int16_t, BoardPage>> readLeaderboardPage(const QByteArray &json,
                                                                     const std::string &processor)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    const QJsonValue boards = document.object()["boards"];
    if (!boards.isArray())
        return std::nullopt;
    const QString wanted = QString::fromStdString(processor);
    std::map<std::int16_t, BoardPage> pages;
    for (const QJsonValue board : boards.toArray()) {
        BoardPage page{board["pageCount"].toInt(1), {}};
        for (const QJsonValue result : board["results"].toArray())
            if (result["processor"]["specification"].toString() == wanted && result["seconds"].isDouble())
                page.seconds.push_back(result["seconds"].toDouble());
        pages[static_cast<std::int16_t>(board["test"].toInt())] = std::move(page);
    }
    return pages;
}

} // namespace tarvik::submit
