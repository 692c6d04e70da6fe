#include "engine/test_run.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "engine/run_plan.h"
#include "engine/verification.h"
#include "foundation/protocol.h"

namespace tarvik {

using numbers::numberText;
using numbers::roundHalfEven;

TestRun::TestRun(RunHost &host, Records &records, RunClock clock, MemoryProbe memory)
    : m_host(host),
      m_records(records),
      m_clock(std::move(clock)),
      m_memory(std::move(memory))
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
    if (!quiet)
        m_host.runStarting();

    // Everything from here on, the results cache and the workers' start
    // included, is inside the measured time.
    GetTime(true);
    const double N = rangeEnd(size, settings.quickMode);
    std::vector<WorkerJob> jobs;
    for (std::int16_t i = 1; i <= settings.Threads; ++i) {
        const WorkerRange range = workerRange(N, settings.Threads, i);
        jobs.push_back({i, range.Low, range.High, settings.cacheMode, quiet, m_host.decimalSeparator()});
    }
    if (settings.cacheMode) {
        refuseCacheBeyondMemory(N);
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

// The system hands out memory it does not have, and a run that touches it is
// ended by the kernel with every record of the session; so a run that will
// not fit is refused before a worker starts. The copy kept from the last run
// is reused, so its memory counts as available.
void TestRun::refuseCacheBeyondMemory(double N) const
{
    const std::optional<std::uint64_t> available = m_memory();
    const std::uint64_t held = m_results.capacity() * sizeof(double);
    if (available && cacheModeBytes(N) > *available + held)
        throw Fault(faults::OutOfMemory);
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
    if (!m_errorsDetected && isTestNumber(m_currentTest)) {
        newRecord = replacesRecord(m_records.record(m_currentTest), {t, m_settings.quickMode});
        if (newRecord)
            m_records.set(m_currentTest, t, m_settings.quickMode);
        m_currentTest = 0;
    }
    if (!quiet)
        m_host.runCompleted({test, rangeEnd(test, m_settings.quickMode) + 1, m_settings.Threads, m_settings.quickMode,
                             m_settings.cacheMode, t, m_errorsDetected, newRecord});
    m_host.runEnded(quiet);
}

void TestRun::output(std::span<const double> values, std::int32_t low, std::int16_t thread)
{
    verifyResults(values, low, thread, m_results, m_host, [this] { return GetTime(); });
}

void TestRun::releaseResults()
{
    m_results.assign(1, 0.0);
    m_results.shrink_to_fit();
}

} // namespace tarvik
