#include "gui/results_chart.h"

#include "foundation/protocol.h"
#include "gui/theme.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

namespace tarvik::gui {

namespace {

const QString SpeedCaption = QStringLiteral("32M (speed test)");
const QString StabilityCaption = QStringLiteral("1024M (stability test)");

template <typename Series>
Series *seriesOf(const QString &name, const QList<QPointF> &points)
{
    auto *series = new Series;
    series->setName(name);
    series->append(points);
    return series;
}

// Axes start at zero, so that a chart shows how far apart times are, not
// only which is larger.
QValueAxis *axisFrom(const QString &title, qreal largest, bool whole)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0, largest > 0 ? largest * 1.1 : 1);
    if (whole)
        axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

qreal largest(const QList<QPointF> &a, const QList<QPointF> &b, bool x)
{
    qreal most = 0;
    for (const QList<QPointF> *points : {&a, &b})
        for (const QPointF &point : *points)
            most = std::max(most, x ? point.x() : point.y());
    return most;
}

QWidget *chartOf(const QString &title, const QString &xTitle, QAbstractSeries *speed, QAbstractSeries *stability,
                 qreal xMost, qreal yMost, QWidget *parent)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTheme(theme::isDark(parent->palette()) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->addSeries(speed);
    chart->addSeries(stability);
    QValueAxis *x = axisFrom(xTitle, xMost, true);
    QValueAxis *y = axisFrom(QStringLiteral("seconds"), yMost, false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : {speed, stability}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(title);
    return view;
}

} // namespace

QList<TimedRun> chartedRuns(const QList<QJsonObject> &history)
{
    QList<TimedRun> runs;
    for (const QJsonObject &entry : history) {
        const int test = entry[QStringLiteral("test")].toInt();
        if ((test != SpeedTest && test != StabilityTest) || entry[QStringLiteral("quickMode")].toBool() ||
            entry[QStringLiteral("errors")].toBool())
            continue;
        runs.append({static_cast<std::int16_t>(test), entry[QStringLiteral("threads")].toInt(),
                     entry[QStringLiteral("seconds")].toDouble()});
    }
    return runs;
}

QList<QPointF> timePerRun(const QList<TimedRun> &runs, std::int16_t test)
{
    QList<QPointF> points;
    for (const TimedRun &run : runs)
        if (run.test == test)
            points.append({static_cast<qreal>(points.size() + 1), run.seconds});
    return points;
}

QList<QPointF> timeAgainstThreads(const QList<TimedRun> &runs, std::int16_t test)
{
    QList<QPointF> points;
    for (const TimedRun &run : runs)
        if (run.test == test)
            points.append({static_cast<qreal>(run.threads), run.seconds});
    return points;
}

QWidget *lineChart(const QString &title, const QString &xTitle, const QList<QPointF> &speed,
                   const QList<QPointF> &stability, QWidget *parent)
{
    return chartOf(title, xTitle, seriesOf<QLineSeries>(SpeedCaption, speed),
                   seriesOf<QLineSeries>(StabilityCaption, stability), largest(speed, stability, true),
                   largest(speed, stability, false), parent);
}

QWidget *scatterChart(const QString &title, const QString &xTitle, const QList<QPointF> &speed,
                      const QList<QPointF> &stability, QWidget *parent)
{
    return chartOf(title, xTitle, seriesOf<QScatterSeries>(SpeedCaption, speed),
                   seriesOf<QScatterSeries>(StabilityCaption, stability), largest(speed, stability, true),
                   largest(speed, stability, false), parent);
}

} // namespace tarvik::gui
