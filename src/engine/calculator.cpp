#include "engine/calculator.h"

#include "engine/frm_calc.h"
#include "engine/object_registry.h"
#include "engine/start.h"

#include <QSemaphore>
#include <QThread>

namespace tarvik {

namespace {

// A worker thread: every thread start runs the process entry first, then the
// worker window lives on the thread's stack until it unloads.
class WorkerThread : public QThread {
public:
    frmCalc *startAndWaitForForm()
    {
        start();
        m_formReady.acquire();
        return m_form;
    }

protected:
    void run() override
    {
        Main();
        frmCalc form;
        connect(&form, &frmCalc::unloaded, this, [this] { exit(); });
        m_form = &form;
        m_formReady.release();
        exec();
    }

private:
    QSemaphore m_formReady;
    frmCalc *m_form = nullptr;
};

} // namespace

Calculator::Calculator(frmCalc *form) : m_form(form) {}

void Calculator::registerClass()
{
    tarvik::registerClass(QString::fromLatin1(ProgId), &Calculator::create);
}

std::unique_ptr<QObject> Calculator::create()
{
    auto *thread = new WorkerThread;
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    return std::unique_ptr<QObject>(new Calculator(thread->startAndWaitForForm()));
}

void Calculator::Init(WorkerConsole *console, std::int16_t threadID, std::int32_t Low, std::int32_t High, bool cache,
                      bool quiet, char decimalSeparator)
{
    QMetaObject::invokeMethod(
        m_form, [=, form = m_form] { form->Init(console, threadID, Low, High, cache, quiet, decimalSeparator); },
        Qt::BlockingQueuedConnection);
}

} // namespace tarvik
