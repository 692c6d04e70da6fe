#include "gui/results_view.h"

#include "cli/results_history.h"
#include "foundation/protocol.h"
#include "console/console_submission.h"
#include "foundation/blanks.h"
#include "gui/gui_console.h"
#include "gui/results_chart.h"
#include "gui/standing_query.h"
#include "submit/result_client.h"
#include "submit/standing.h"

#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvik::gui {

ResultsView::ResultsView(GuiConsole &console, QWidget *parent)
    : QWidget(parent, Qt::Window), lblSummary(new QLabel(this)), lblStanding(new QLabel(this))
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
        lblStanding->hide();
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
    lblStanding->setWordWrap(true);
    lblStanding->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(lblStanding);
    askWhereThisMachineStands(console, runs);
}

void ResultsView::askWhereThisMachineStands(GuiConsole &console, const QList<TimedRun> &runs)
{
    m_server = QString::fromStdString(submit::webAddress(console.submission().client().server()));
    m_decimalSeparator = console.decimalSeparator();
    for (const TimedRun &run : runs)
        if (const auto best = m_best.find(run.test); best == m_best.end() || run.seconds < best->second)
            m_best[run.test] = run.seconds;
    // Reports give the specification with blanks around it; the server
    // stores it without.
    const std::string processor = trimBlanks(console.machine().hwbotcpu);
    if (processor.empty()) {
        lblStanding->setText(
            QStringLiteral("This machine's processor is not known yet, so %1 cannot be asked where it stands.")
                .arg(m_server));
        return;
    }
    lblStanding->setText(QStringLiteral("Asking %1 where this machine stands…").arg(m_server));
    auto *query = new StandingQuery(m_server.toStdString(), processor, this);
    connect(query, &StandingQuery::answered, this, &ResultsView::showStanding);
    connect(query, &StandingQuery::failed, this, [this](const QString &why) {
        lblStanding->setText(QStringLiteral("%1 cannot say where this machine stands: %2").arg(m_server, why));
    });
    query->start();
}

void ResultsView::showStanding(const std::map<std::int16_t, std::vector<double>> &serverSeconds)
{
    QStringList lines;
    for (const auto &[test, caption] : {std::pair{SpeedTest, "32M"}, std::pair{StabilityTest, "1024M"}}) {
        const auto best = m_best.find(test);
        const auto times = serverSeconds.find(test);
        lines << QString::fromStdString(submit::standingLine(
            caption, best == m_best.end() ? std::nullopt : std::optional(best->second),
            times == serverSeconds.end() ? std::vector<double>() : times->second, m_server.toStdString(),
            m_decimalSeparator));
    }
    lblStanding->setText(lines.join(QLatin1Char('\n')));
}

QList<QJsonObject> ResultsView::readHistory(const QString &path, int &unreadable)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return cli::readHistoryEntries(file, unreadable);
}

} // namespace tarvik::gui
