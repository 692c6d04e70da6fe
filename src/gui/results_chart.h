#pragma once

#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QString>

#include <cstdint>

class QWidget;

namespace tarvik::gui {

// The runs of the history a chart shows: complete runs of the 32M or 1024M
// test, made without quick mode (whose times are 1024 times shorter) and
// without errors.
struct TimedRun {
    std::int16_t test;
    int threads;
    double seconds;
};
QList<TimedRun> chartedRuns(const QList<QJsonObject> &history);

// Time per run of `test`, in the order of the runs: (run number, seconds).
QList<QPointF> timePerRun(const QList<TimedRun> &runs, std::int16_t test);
// Time against thread count of `test`: (threads, seconds).
QList<QPointF> timeAgainstThreads(const QList<TimedRun> &runs, std::int16_t test);

// A chart of the two standard tests' points, one series per test named by
// its box caption, drawn in the palette of `parent` (light or dark).
QWidget *lineChart(const QString &title, const QString &xTitle, const QList<QPointF> &speed,
                   const QList<QPointF> &stability, QWidget *parent);
QWidget *scatterChart(const QString &title, const QString &xTitle, const QList<QPointF> &speed,
                      const QList<QPointF> &stability, QWidget *parent);

} // namespace tarvik::gui
