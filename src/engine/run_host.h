#pragma once

#include "engine/calculation.h"
#include "engine/completed_run.h"

#include <string>

namespace tarvik {

// What the engine needs from the console it belongs to.
class RunConsole {
public:
    virtual ~RunConsole() = default;

    virtual void PrintLn(const std::string &message) = 0;
    virtual void processEvents() = 0;
    virtual char decimalSeparator() const = 0;
    // Whether cache mode is on now: verification reads it at every step.
    virtual bool cacheModeOn() const = 0;
    // A run that is not quiet is about to start its clock.
    virtual void runStarting() = 0;
    // A run that was not quiet has finished; called before runEnded.
    virtual void runCompleted(const CompletedRun &run) = 0;
    // The last worker has completed and the run's summary is printed.
    virtual void runEnded(bool quiet) = 0;
};

// What a test run needs: the console, and a way to start its workers.
class RunHost : public RunConsole {
public:
    // Starts one worker on a thread of its own; returns once it holds its job.
    virtual void startWorker(const WorkerJob &job) = 0;
};

} // namespace tarvik
