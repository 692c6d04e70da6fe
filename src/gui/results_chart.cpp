#include "gui/results_chart.h"

#include "foundation/protocol.h"
#include "gui/theme.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <cmath>

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
QValueAxis *secondsAxis(const QString &title, qreal largest)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0, largest > 0 ? largest * 1.1 : 1);
    axis->applyNiceNumbers();
    return axis;
}

// Run numbers and thread counts are whole: a tick on each, or on every
// few when there are many.
QValueAxis *countAxis(const QString &title, qreal largest)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    const qreal end = std::ceil(largest) + 1;
    axis->setRange(0, end);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(std::max<qreal>(1, std::ceil(end / 10)));
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

qreal largest(const QList<QPointF> &points, bool x)
{
    qreal most = 0;
    for (const QPointF &point : points)
        most = std::max(most, x ? point.x() : point.y());
    return most;
}

// The 1024M test takes some 32 times as long as the 32M test: each has an
// axis of seconds of its own, the 32M test's on the left.
QWidget *chartOf(const QString &title, const QString &xTitle, QXYSeries *speed, QXYSeries *stability,
                 QWidget *parent)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTheme(theme::isDark(parent->palette()) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->addSeries(speed);
    chart->addSeries(stability);
    QValueAxis *x = countAxis(xTitle, std::max(largest(speed->points(), true), largest(stability->points(), true)));
    chart->addAxis(x, Qt::AlignBottom);
    const std::pair<QXYSeries *, Qt::Alignment> sides[] = {{speed, Qt::AlignLeft}, {stability, Qt::AlignRight}};
    for (const auto &[series, side] : sides) {
        QValueAxis *y = secondsAxis(series->name().section(QLatin1Char(' '), 0, 0) + QStringLiteral(" seconds"),
                                    largest(series->points(), false));
        chart->addAxis(y, side);
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
                   seriesOf<QLineSeries>(StabilityCaption, stability), parent);
}

QWidget *scatterChart(const QString &title, const QString &xTitle, const QList<QPointF> &speed,
                      const QList<QPointF> &stability, QWidget *parent)
{
    return chartOf(title, xTitle, seriesOf<QScatterSeries>(SpeedCaption, speed),
                   seriesOf<QScatterSeries>(StabilityCaption, stability), parent);
}

} // namespace tarvik::gui
