#include "engine/frm_calc.h"

#include "engine/process_end.h"

#include <QCoreApplication>

#include <unistd.h>

namespace tarvik {

namespace {
std::string currentThreadTag()
{
    return QString::number(static_cast<qulonglong>(gettid()), 16).toUpper().toStdString();
}
} // namespace

frmCalc::frmCalc(QObject *parent) : QObject(parent), tmr(this), tmrSignal(this)
{
    tmr.setInterval(1);
    connect(&tmr, &QTimer::timeout, this, &frmCalc::tmr_Timer);
    tmrSignal.setInterval(2000);
    connect(&tmrSignal, &QTimer::timeout, this, &frmCalc::tmrSignal_Timer);
    tmrSignal.start();
}

void frmCalc::Init(WorkerConsole *p_console, std::int16_t p_threadID, std::int32_t p_Low, std::int32_t p_High,
                   bool p_cache, bool p_quiet, char p_decimalSeparator)
{
    console = p_console;
    m_job = {p_threadID, p_Low, p_High, p_cache, p_quiet, p_decimalSeparator};
    tmr.start();
}

void frmCalc::tmr_Timer()
{
    tmr.stop();
    tmrSignal.stop();
    QCoreApplication::processEvents();
    const WorkerContext context{currentThreadTag(), m_job.decimalSeparator};
    try {
        if (Calculate(m_job, context, *console) == CalculationEnd::CheatDetected)
            endProcess(1);
    } catch (...) {
        // A worker that cannot finish its part leaves no result to trust.
        endProcess(1);
    }
    emit unloaded();
}

void frmCalc::tmrSignal_Timer()
{
    if (!console)
        return; // no job yet: there is nobody to ping
    try {
        console->signal();
    } catch (...) {
        endProcess(1);
    }
}

} // namespace tarvik
