#include "in_process_console.h"

#include "engine/calculator.h"

#include <QEventLoop>
#include <QThread>

#include <chrono>

namespace tarvik::bench {

namespace {
// Widgets need a platform; the benchmark has no display to show them on.
int &withOffscreenPlatform(int &argc)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}
} // namespace

InProcessConsole::InProcessConsole(int &argc, char **argv)
    : m_app(withOffscreenPlatform(argc), argv), m_console(LaunchOptions{})
{
    Calculator::registerClass();
}

double InProcessConsole::timeQuietRun(std::int16_t size, std::int16_t threads)
{
    m_console.Threads = threads;
    QEventLoop wait;
    QObject::connect(&m_console, &frmMain::runFinished, &wait, &QEventLoop::quit);
    const auto start = std::chrono::steady_clock::now();
    m_console.StartTest(size, true);
    if (m_console.testRunning())
        wait.exec();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

std::int16_t InProcessConsole::machineThreads()
{
    return static_cast<std::int16_t>(QThread::idealThreadCount());
}

} // namespace tarvik::bench
