#include "foundation/fault.h"
#include "engine/console_gateway.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace tarvik;

namespace {

// The console's side: records on which thread and in which order calls ran.
class Recorder : public WorkerConsole {
public:
    std::vector<std::string> calls;
    bool onMainThread = true;
    int depth = 0;
    int deepest = 0;

    void PrintLn(const std::string &message) override
    {
        enter();
        calls.push_back(message);
        // Printing processes events: a call arriving now must not run inside.
        QCoreApplication::processEvents();
        QThread::msleep(5);
        QCoreApplication::processEvents();
        --depth;
    }
    double GetTime() override { return 1.5; }
    void output(std::span<const double>, std::int32_t, std::int16_t) override {}
    void complete(bool, bool) override { throw Fault(faults::SubscriptOutOfRange); }
    void signal() override {}

private:
    void enter()
    {
        onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        deepest = std::max(deepest, ++depth);
    }
};

void pumpUntil(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

TEST(ConsoleGateway, WorkersCallsRunOnTheConsolesThreadOneAtATime)
{
    Recorder console;
    ConsoleGateway gateway(console);
    std::atomic<int> finished = 0;
    std::vector<std::thread> workers;
    for (int w = 0; w < 3; ++w) {
        workers.emplace_back([&, w] {
            for (int i = 0; i < 5; ++i)
                gateway.PrintLn(std::to_string(w) + ":" + std::to_string(i));
            EXPECT_EQ(gateway.GetTime(), 1.5);
            ++finished;
        });
    }
    pumpUntil([&] { return finished == 3; });
    for (auto &t : workers)
        t.join();
    EXPECT_EQ(console.calls.size(), 15u);
    EXPECT_TRUE(console.onMainThread);
    EXPECT_EQ(console.deepest, 1);
}

TEST(ConsoleGateway, FaultOnTheConsoleSideReachesTheWorker)
{
    Recorder console;
    ConsoleGateway gateway(console);
    std::atomic<bool> threw = false;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        try {
            gateway.complete(false, false);
        } catch (const Fault &) {
            threw = true;
        }
        done = true;
    });
    pumpUntil([&] { return done.load(); });
    worker.join();
    EXPECT_TRUE(threw);
}
