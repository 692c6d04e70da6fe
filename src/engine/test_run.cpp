#include "engine/test_run.h"

#include "console/fault.h"
#include "console/numbers.h"
#include "engine/run_plan.h"
#include "engine/verification.h"

namespace tarvik {

using numbers::numberText;
using numbers::roundHalfEven;

TestRun::TestRun(RunHost &host, Records &records, RunClock clock)
    : m_host(host), m_records(records), m_clock(std::move(clock))
{
}

void TestRun::StartTest(std::int16_t size, bool quiet, const RunSettings &settings)
{
    // A run without workers would never complete and would hold the console
    // for ever (the thread count is 0 until a score file opened at start-up
    // sets it).
    if (settings.Threads < 1)
        throw Fault(faults::InvalidProcedureCall);
    m_testRunning = true;
    m_currentTest = size;
    if (!quiet)
        m_host.PrintLn("Calculating sqrts of first " + numberText(announcedCount(size)) + " numbers.");
    m_host.processEvents();

    // Everything from here on, the results cache and the workers' start
    // included, is inside the measured time.
    GetTime(true);
    const double N = rangeEnd(size, settings.quickMode);
    std::vector<WorkerJob> jobs;
    for (std::int16_t i = 1; i <= settings.Threads; ++i) {
        const WorkerRange range = workerRange(N, settings.Threads, i);
        jobs.push_back({i, range.Low, range.High, settings.cacheMode, quiet});
    }
    if (settings.cacheMode) {
        m_results.clear();
        m_results.resize(static_cast<std::size_t>(numbers::toInt32(N)) + 1);
    }
    m_finishedThreads = 0;
    m_errorsDetected = false;
    m_runThreads = settings.Threads;
    m_settings = settings;
    for (const WorkerJob &job : jobs)
        m_host.startWorker(job);
}

float TestRun::GetTime(bool reset)
{
    return m_clock.GetTime(reset);
}

void TestRun::complete(bool quiet, bool error)
{
    try {
        ++m_finishedThreads;
        // Every worker's flag counts, not only the last one's.
        m_errorsDetected = m_errorsDetected || error;
        if (m_finishedThreads == m_runThreads)
            finish(quiet);
    } catch (const Fault &fault) {
        m_host.PrintLn(fault.description());
    }
}

void TestRun::finish(bool quiet)
{
    const float t = GetTime();
    if (!quiet) {
        m_host.PrintLn("Process completed in " + numberText(roundHalfEven(t, 3), m_host.decimalSeparator()) +
                       " seconds.");
        m_host.PrintLn(m_errorsDetected ? "Test completed, errors were detected." : "Test completed successfully.");
    }
    m_finishedThreads = 0;
    m_testRunning = false;
    const std::int16_t test = m_currentTest;
    bool newRecord = false;
    if (!m_errorsDetected && m_currentTest >= 1 && m_currentTest <= 16) {
        newRecord = improvesRecord(m_records.get(m_currentTest), t);
        if (newRecord)
            m_records.set(m_currentTest, t);
        m_currentTest = 0;
    }
    if (!quiet)
        m_host.runCompleted({test, rangeEnd(test, m_settings.quickMode) + 1, m_settings.Threads, m_settings.quickMode,
                             m_settings.cacheMode, t, m_errorsDetected, newRecord});
    m_host.runEnded(quiet);
}

void TestRun::output(std::span<const double> values, std::int32_t low, std::int16_t thread, const bool &cacheMode)
{
    verifyResults(values, low, thread, m_results, cacheMode, m_host, [this] { return GetTime(); });
}

void TestRun::releaseResults()
{
    m_results.assign(1, 0.0);
    m_results.shrink_to_fit();
}

} // namespace tarvik
