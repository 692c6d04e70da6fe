#pragma once

#include "engine/run_host.h"
#include "engine/worker_console.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvik::testing {

// Records what a worker or a run says, with a clock the test controls.
class FakeConsole : public WorkerConsole, public RunHost {
public:
    std::vector<std::string> lines;
    std::vector<WorkerJob> started;
    int timeReads = 0;
    int outputs = 0;
    int completes = 0;
    bool lastError = false;
    int runsStarting = 0;
    int runsEnded = 0;
    bool cacheMode = false;
    std::vector<CompletedRun> completedRuns;
    std::function<double(int)> clock = [](int read) { return read * 0.001; };

    void PrintLn(const std::string &message) override { lines.push_back(message); }
    double GetTime() override { return clock(++timeReads); }
    void output(std::span<const double>, std::int32_t, std::int16_t) override { ++outputs; }
    void complete(bool, bool error) override
    {
        ++completes;
        lastError = error;
    }
    void signal() override {}

    void processEvents() override {}
    char decimalSeparator() const override { return '.'; }
    bool cacheModeOn() const override { return cacheMode; }
    void startWorker(const WorkerJob &job) override { started.push_back(job); }
    void runStarting() override { ++runsStarting; }
    void runCompleted(const CompletedRun &run) override { completedRuns.push_back(run); }
    void runEnded(bool) override { ++runsEnded; }

    std::vector<std::string> linesStartingWith(const std::string &prefix) const
    {
        std::vector<std::string> found;
        for (const auto &line : lines)
            if (line.rfind(prefix, 0) == 0)
                found.push_back(line);
        return found;
    }
};

} // namespace tarvik::testing
