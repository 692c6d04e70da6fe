#include "in_process_console.h"

#include "engine/calculator.h"

#include <QEventLoop>
#include <QThread>

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
    : m_app(withOffscreenPlatform(argc), argv),
      m_console(LaunchOptions{})
{
    Calculator::registerClass();
}

RunTiming InProcessConsole::timeQuietRun(std::int16_t size, std::int16_t threads)
{
    m_console.Threads = threads;
    QEventLoop wait;
    QObject::connect(&m_console, &frmMain::runFinished, &wait, &QEventLoop::quit);
    return timed([&] {
        m_console.StartTest(size, true);
        if (m_console.testRunning())
            wait.exec();
    });
}

std::int16_t InProcessConsole::machineThreads()
{
    return static_cast<std::int16_t>(QThread::idealThreadCount());
}

} // namespace tarvik::bench
