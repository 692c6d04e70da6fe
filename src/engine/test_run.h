#pragma once

#include "engine/available_memory.h"
#include "engine/run_clock.h"
#include "engine/run_host.h"
#include "records/records.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarvik {

// The settings a run starts with.
struct RunSettings {
    std::int16_t Threads = 1;
    bool cacheMode = false; // at the start: the workers keep their roots and the cache is made
    bool quickMode = false;
};

// One test run at a time: splitting the range over the workers, the run's
// clock, the results cache and the completion that prints the time and keeps
// the best one as the test's record. Lives on the console's thread; the
// workers' calls reach it one at a time.
class TestRun {
public:
    TestRun(
        RunHost &host, Records &records, RunClock clock = RunClock(),
        MemoryProbe memory = [] { return availableMemory(); });

    // Starts a run and returns once every worker holds its range. Every range
    // is worked out before the first worker starts, so a size whose ranges
    // do not fit fails with no worker left running; so does a cache-mode run
    // larger than the available memory (Fault "Out of memory").
    void StartTest(std::int16_t size, bool quiet, const RunSettings &settings);
    float GetTime(bool reset = false);
    // Called once by each worker at its end; the last call ends the run.
    void complete(bool quiet, bool error);
    void output(std::span<const double> values, std::int32_t low, std::int16_t thread);

    bool testRunning() const { return m_testRunning; }
    // A command that failed while starting a run leaves no run pending.
    void abandon() { m_testRunning = false; }
    // Gives the results cache's memory back (at shut-down).
    void releaseResults();

private:
    void finish(bool quiet);
    void refuseCacheBeyondMemory(double N) const;

    RunHost &m_host;
    Records &m_records;
    RunClock m_clock;
    MemoryProbe m_memory;
    bool m_testRunning = false;
    std::int16_t m_currentTest = 0;
    std::int16_t m_finishedThreads = 0;
    std::int16_t m_runThreads = 0;
    RunSettings m_settings;
    bool m_errorsDetected = false;
    std::vector<double> m_results;
};

} // namespace tarvik
