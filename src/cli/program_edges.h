#pragma once

#include "cli/program_options.h"
#include "cli/results_document.h"
#include "cli/signal_watcher.h"
#include "measurement/condition_sampler.h"
#include "measurement/repeat_rule.h"

#include <QObject>

namespace tarvik {
class SessionConsole;
struct LaunchOptions;
} // namespace tarvik

namespace tarvik::cli {

// What the program does at its edges, around the console: it records every
// completed run in the history and for the results file, ends in order on
// SIGINT, SIGTERM and SIGHUP, and sets the exit status: 0 when every run completed
// without errors, 1 when one detected errors, a worker ended the program or
// a batch run could not run its test, 128 + the signal's number for a signal.
// It watches the machine during every run, decides the repeats of a batch
// run that repeats until its times agree, and ends a batch run's output
// with the summary of its runs.
class ProgramEdges : public QObject {
    Q_OBJECT
public:
    // Follows the console that `launch` starts, from its creation on.
    ProgramEdges(const ProgramOptions &options, LaunchOptions &launch);

private:
    void recordRun(const CompletedRun &run);
    // The lines after an automatic repeat's latest run: another run or the exit.
    QStringList nextRepeatLines();
    void interrupt(int signalNumber);
    // The last step of the process, on whichever thread ends it.
    int finish(int exitStatus);

    SessionConsole *m_console = nullptr;
    QString m_resultsFile;
    SessionResults m_session;
    bool m_runErrors = false;
    std::size_t m_batchRuns = 0; // the runs a batch run asks for
    std::optional<int> m_batchTest;
    measurement::RepeatRule m_repeatRule;
    measurement::ConditionSampler m_sampler;
    bool m_sampling = false;
    int m_signal = 0;
    bool m_historyWarned = false;
    SignalWatcher m_signals;
};

} // namespace tarvik::cli
