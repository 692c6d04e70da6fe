#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace tarvik::server {

// Turns SIGTERM and SIGINT into a clean end of the event loop, so the
// database connections close and every queued submission is written first.
class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tarvik::server
