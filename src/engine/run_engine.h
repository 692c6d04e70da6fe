#pragma once

#include "engine/console_gateway.h"
#include "engine/run_calls.h"
#include "engine/run_host.h"
#include "engine/test_run.h"
#include "records/records.h"

#include <cstdint>

namespace tarvik {

// The engine's machinery for the console: the test run, the console's side
// of the workers' calls, the gateway that carries those calls over to the
// console's thread, and the starting of workers. The console holds one of
// these and sees the engine through it; the engine sees the console only
// through RunConsole. Lives on the console's thread.
class RunEngine : private RunHost {
public:
    RunEngine(RunConsole &console, Records &records);

    void StartTest(std::int16_t size, bool quiet, const RunSettings &settings)
    {
        m_run.StartTest(size, quiet, settings);
    }
    float GetTime(bool reset = false) { return m_run.GetTime(reset); }
    bool testRunning() const { return m_run.testRunning(); }
    void abandon() { m_run.abandon(); }
    void releaseResults() { m_run.releaseResults(); }

private:
    // RunHost: the console's side, forwarded, and the workers' start.
    void PrintLn(const std::string &message) override { m_console.PrintLn(message); }
    void processEvents() override { m_console.processEvents(); }
    char decimalSeparator() const override { return m_console.decimalSeparator(); }
    bool cacheModeOn() const override { return m_console.cacheModeOn(); }
    void runStarting() override { m_console.runStarting(); }
    void runCompleted(const CompletedRun &run) override { m_console.runCompleted(run); }
    void runEnded(bool quiet) override { m_console.runEnded(quiet); }
    void startWorker(const WorkerJob &job) override;

    RunConsole &m_console;
    TestRun m_run;
    RunCalls m_calls;
    ConsoleGateway m_gateway;
};

} // namespace tarvik
