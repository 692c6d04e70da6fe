#include "engine/console_gateway.h"

#include <QThread>

#include <chrono>
#include <exception>
#include <future>
#include <thread>

namespace tarvik {

namespace {

// A console call takes some microseconds. Sleeping through it lets the
// worker's core go idle, and a core that has idled runs the kernel slower
// for a while after it resumes: the clock checks alone would cost a
// fifth of a run. So the worker keeps its core busy for a short while before
// it sleeps, yielding it to the console's thread if they share it.
void waitBriefly(const std::future<void> &finished)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(500);
    while (finished.wait_for(std::chrono::seconds(0)) != std::future_status::ready &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::yield();
}

} // namespace

ConsoleGateway::ConsoleGateway(WorkerConsole &target, QObject *parent) : QObject(parent), m_target(target) {}

void ConsoleGateway::runOnConsole(std::function<void()> call)
{
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    {
        std::lock_guard lock(m_mutex);
        m_pending.push_back([&call, &done] {
            try {
                call();
                done.set_value();
            } catch (...) {
                done.set_exception(std::current_exception());
            }
        });
    }
    QMetaObject::invokeMethod(this, "runPending", Qt::QueuedConnection);
    waitBriefly(finished);
    finished.get();
}

void ConsoleGateway::runPending()
{
    if (m_running)
        return; // the running call's loop below picks this one up
    m_running = true;
    for (;;) {
        std::function<void()> next;
        {
            std::lock_guard lock(m_mutex);
            if (m_pending.empty())
                break;
            next = std::move(m_pending.front());
            m_pending.pop_front();
        }
        next();
    }
    m_running = false;
}

void ConsoleGateway::PrintLn(const std::string &message)
{
    runOnConsole([&] { m_target.PrintLn(message); });
}

double ConsoleGateway::GetTime()
{
    double t = 0;
    runOnConsole([&] { t = m_target.GetTime(); });
    return t;
}

void ConsoleGateway::output(std::span<const double> values, std::int32_t low, std::int16_t threadID)
{
    runOnConsole([&] { m_target.output(values, low, threadID); });
}

void ConsoleGateway::complete(bool quiet, bool error)
{
    runOnConsole([&] { m_target.complete(quiet, error); });
}

void ConsoleGateway::signal()
{
    runOnConsole([&] { m_target.signal(); });
}

} // namespace tarvik
