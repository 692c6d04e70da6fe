#pragma once

#include "engine/worker_console.h"

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

namespace tarvik {

// Carries the workers' calls over to the console's thread. A worker's call
// is queued and the worker waits until the console's thread has run it;
// calls run one at a time, in the order they arrive, and never one inside
// another: when a running call processes events (a printed line), a call
// arriving then waits until the running one has returned. A fault thrown on
// the console's side is thrown again in the worker.
class ConsoleGateway : public QObject, public WorkerConsole {
    Q_OBJECT
public:
    // `target` is the console's side; the gateway must live on its thread.
    explicit ConsoleGateway(WorkerConsole &target, QObject *parent = nullptr);

    void PrintLn(const std::string &message) override;
    double GetTime() override;
    void output(std::span<const double> values, std::int32_t low, std::int16_t threadID) override;
    void complete(bool quiet, bool error) override;
    void signal() override;

private:
    // Runs `call` on the console's thread and waits for it.
    void runOnConsole(std::function<void()> call);
    Q_INVOKABLE void runPending();

    WorkerConsole &m_target;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_pending;
    bool m_running = false; // only touched on the console's thread
};

} // namespace tarvik
