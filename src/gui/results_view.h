#pragma once

#include <QJsonObject>
#include <QList>
#include <QWidget>

class QLabel;

namespace tarvik::gui {

// "Results History": this machine's earlier runs of the two standard tests
// from the results history, as the time of each run and the time against
// the thread count. A window of its own, beside the front end.
class ResultsView : public QWidget {
    Q_OBJECT
public:
    explicit ResultsView(QWidget *parent = nullptr);

    // What the window says above the charts: the history's file and how many
    // of its runs are shown, or why there is nothing to show.
    QLabel *lblSummary;

private:
    // The history's entries; unreadable lines are left out and counted.
    static QList<QJsonObject> readHistory(const QString &path, int &unreadable);
};

} // namespace tarvik::gui
