#pragma once

#include <QJsonObject>
#include <QList>
#include <QWidget>

#include <cstdint>
#include <map>
#include <vector>

class QLabel;

namespace tarvik {
class GuiConsole;
}

namespace tarvik::gui {

struct TimedRun;

// "Results History": this machine's earlier runs of the two standard tests
// from the results history, as the time of each run and the time against
// the thread count, and under them where this machine's best times stand
// among the result server's times of its processor. A window of its own,
// beside the front end.
class ResultsView : public QWidget {
    Q_OBJECT
public:
    ResultsView(GuiConsole &console, QWidget *parent);

    // What the window says above the charts: the history's file and how many
    // of its runs are shown, or why there is nothing to show.
    QLabel *lblSummary;
    // Under the charts: the server's answer, while it comes and once it has.
    QLabel *lblStanding;

private:
    void askWhereThisMachineStands(GuiConsole &console, const QList<TimedRun> &runs);
    void showStanding(const std::map<std::int16_t, std::vector<double>> &serverSeconds);

    QString m_server;
    std::map<std::int16_t, double> m_best;
    char m_decimalSeparator = '.';

    // The history's entries; unreadable lines are left out and counted.
    static QList<QJsonObject> readHistory(const QString &path, int &unreadable);
};

} // namespace tarvik::gui
