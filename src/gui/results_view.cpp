#include "gui/results_view.h"

#include "cli/results_history.h"
#include "foundation/protocol.h"
#include "gui/results_chart.h"

#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvik::gui {

ResultsView::ResultsView(QWidget *parent) : QWidget(parent, Qt::Window), lblSummary(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Results History"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 640);
    auto *layout = new QVBoxLayout(this);
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(lblSummary);

    const QString path = cli::historyFilePath();
    int unreadable = 0;
    const QList<TimedRun> runs = chartedRuns(readHistory(path, unreadable));
    if (runs.isEmpty()) {
        lblSummary->setText(QStringLiteral("No runs of the 32M or 1024M test in the history yet (%1).").arg(path));
        layout->addStretch();
        return;
    }
    QString summary = QStringLiteral("%1 runs of the 32M and 1024M tests, without quick mode and errors, from %2.")
                          .arg(runs.size())
                          .arg(path);
    if (unreadable > 0)
        summary += QStringLiteral(" %1 unreadable lines were left out.").arg(unreadable);
    lblSummary->setText(summary);
    layout->addWidget(lineChart(QStringLiteral("Time per run"), QStringLiteral("run"), timePerRun(runs, SpeedTest),
                                timePerRun(runs, StabilityTest), this),
                      1);
    layout->addWidget(scatterChart(QStringLiteral("Time against thread count"), QStringLiteral("threads"),
                                   timeAgainstThreads(runs, SpeedTest), timeAgainstThreads(runs, StabilityTest), this),
                      1);
}

QList<QJsonObject> ResultsView::readHistory(const QString &path, int &unreadable)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return cli::readHistoryEntries(file, unreadable);
}

} // namespace tarvik::gui
