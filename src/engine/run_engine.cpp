#include "engine/run_engine.h"

#include "engine/calculator.h"
#include "engine/object_registry.h"

#include <memory>

namespace tarvik {

RunEngine::RunEngine(RunConsole &console, Records &records)
    : m_console(console),
      m_run(*this, records),
      m_calls(m_run, *this),
      m_gateway(m_calls)
{
}

void RunEngine::startWorker(const WorkerJob &job)
{
    const std::unique_ptr<QObject> object = createObject(QString::fromLatin1(Calculator::ProgId));
    static_cast<Calculator *>(object.get())
        ->Init(&m_gateway, job.threadID, job.Low, job.High, job.cache, job.quiet, job.decimalSeparator);
}

} // namespace tarvik
