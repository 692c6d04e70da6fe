#pragma once

#include <QObject>

#include <initializer_list>

class QSocketNotifier;

namespace tarvik::cli {

// Turns the given signals into a Qt signal on the thread that made the
// watcher: the signal handler only writes the signal's number into a pipe,
// and the event loop reads it from there.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(std::initializer_list<int> watched);

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier;
};

} // namespace tarvik::cli
