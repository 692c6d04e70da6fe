#include "cli/program_edges.h"

#include "cli/launch_options.h"
#include "cli/results_history.h"
#include "cli/session_console.h"
#include "engine/completed_run.h"
#include "engine/process_end.h"
#include "foundation/fault.h"
#include "foundation/file_bytes.h"
#include "hardware/hardware_fields.h"
#include "protocol/checksum.h"

#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <cstdio>

namespace tarvik::cli {

namespace {
constexpr int RunErrorsStatus = 1;
constexpr int SignalStatusBase = 128;

std::optional<std::string> runChecksum(const CompletedRun &run, const HardwareFields &hw, char decimalSeparator)
{
    try {
        return csum(run.test, run.seconds, hw.hwbotcpuclk, hw.hwbotcpu, decimalSeparator);
    } catch (const Fault &) {
        return std::nullopt; // no processor description to bind the time to
    }
}

std::string signalName(int signalNumber)
{
    switch (signalNumber) {
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "SIGTERM";
    }
}
} // namespace

ProgramEdges::ProgramEdges(const ProgramOptions &options, LaunchOptions &launch) : m_signals({SIGINT, SIGTERM, SIGHUP})
{
    if (!options.jsonFile.isEmpty())
        m_resultsFile = QFileInfo(options.jsonFile).absoluteFilePath();
    m_session.started = QDateTime::currentDateTimeUtc();
    if (options.runTest)
        m_batchRuns = static_cast<std::size_t>(options.repeat);
    launch.consoleCreated = [this](SessionConsole &console) { m_console = &console; };
    launch.runCompleted = [this](const CompletedRun &run) { recordRun(run); };
    connect(&m_signals, &SignalWatcher::received, this, &ProgramEdges::interrupt);
    atProcessEnd([this](int exitStatus) { return finish(exitStatus); });
}

void ProgramEdges::recordRun(const CompletedRun &run)
{
    const HardwareFields &hw = m_console->hardwareFields();
    const RecordedRun recorded{run, runChecksum(run, hw, m_console->decimalSeparator())};
    m_session.hardware = hw;
    m_session.runs.push_back(recorded);
    m_runErrors = m_runErrors || run.errors;
    const QString problem = appendToHistory(recorded, hw, QDateTime::currentDateTimeUtc());
    if (!problem.isEmpty() && !m_historyWarned) {
        m_historyWarned = true;
        std::fprintf(stderr, "tarvik: cannot add to the results history %s: %s\n", qPrintable(historyFilePath()),
                     qPrintable(problem));
    }
}

void ProgramEdges::interrupt(int signalNumber)
{
    if (m_signal != 0)
        return; // already ending
    m_signal = signalNumber;
    if (!m_console)
        endProcess(0);
    if (m_console->testRunning())
        m_console->PrintLn("Test interrupted by " + signalName(signalNumber) + ".");
    m_console->Form_Unload();
}

int ProgramEdges::finish(int exitStatus)
{
    if (m_signal != 0)
        exitStatus = SignalStatusBase + m_signal;
    else if (exitStatus == 0 && (m_runErrors || m_session.runs.size() < m_batchRuns))
        exitStatus = RunErrorsStatus;
    // The console's fields are only read on its own thread; a worker that
    // ends the process leaves those of the last run.
    if (m_console && QThread::currentThread() == m_console->consoleThread())
        m_session.hardware = m_console->hardwareFields();
    m_session.exitStatus = exitStatus;
    if (!m_resultsFile.isEmpty()) {
        try {
            files::replaceFileBytes(QFile::encodeName(m_resultsFile).toStdString(),
                                    resultsDocument(m_session).toStdString());
        } catch (const Fault &fault) {
            std::fprintf(stderr, "tarvik: cannot write the results to %s: %s\n", qPrintable(m_resultsFile),
                         fault.description().c_str());
            if (exitStatus == 0)
                exitStatus = RunErrorsStatus;
        }
    }
    return exitStatus;
}

} // namespace tarvik::cli
