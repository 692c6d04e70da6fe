#pragma once

#include "engine/run_host.h"
#include "engine/test_run.h"
#include "engine/worker_console.h"

namespace tarvik {

// The console's side of the workers' calls: each call lands on the run, or
// on the console for printing. Runs on the console's thread.
class RunCalls : public WorkerConsole {
public:
    RunCalls(TestRun &run, RunHost &host) : m_run(run), m_host(host) {}

    void PrintLn(const std::string &message) override { m_host.PrintLn(message); }
    double GetTime() override { return m_run.GetTime(); }
    void output(std::span<const double> values, std::int32_t low, std::int16_t threadID) override
    {
        m_run.output(values, low, threadID);
    }
    void complete(bool quiet, bool error) override { m_run.complete(quiet, error); }
    void signal() override {}

private:
    TestRun &m_run;
    RunHost &m_host;
};

} // namespace tarvik
