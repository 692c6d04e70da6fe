#pragma once

#include "engine/calculation.h"

#include <QObject>
#include <QTimer>

namespace tarvik {

// The worker window of one worker thread: never shown, it holds the job and
// the two timers. `tmr` starts the calculation once the job is stored;
// `tmrSignal` pings the console every 2 s while the thread handles events,
// and a ping that fails means the console is gone.
class frmCalc : public QObject {
    Q_OBJECT
public:
    explicit frmCalc(QObject *parent = nullptr);

    // Stores the job and arms `tmr`; computes nothing.
    void Init(WorkerConsole *p_console, std::int16_t p_threadID, std::int32_t p_Low, std::int32_t p_High, bool p_cache,
              bool p_quiet, char p_decimalSeparator);

signals:
    // The calculation is over; the worker thread may end.
    void unloaded();

private:
    void tmr_Timer();
    void tmrSignal_Timer();

    WorkerConsole *console = nullptr;
    WorkerJob m_job;
    QTimer tmr;
    QTimer tmrSignal;
};

} // namespace tarvik
