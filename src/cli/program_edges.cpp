#include "cli/program_edges.h"

#include "cli/batch_summary.h"
#include "cli/launch_options.h"
#include "cli/program_start.h"
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
#include <utility>

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
    m_batchTest = options.runTest;
    if (options.runTest)
        m_batchRuns = options.repeatAuto ? 1 : static_cast<std::size_t>(options.repeat);
    if (options.repeatAuto) {
        m_repeatRule.budgetSeconds = options.maxTimeSeconds;
        m_repeatRule.mostRuns = options.repeat;
        m_session.autoRepeat = AutoRepeat{options.maxTimeSeconds, std::nullopt};
        launch.moreScriptedInput = [this] { return nextRepeatLines(); };
    }
    launch.consoleCreated = [this](SessionConsole &console) { m_console = &console; };
    launch.runStarting = [this] {
        m_sampler.start();
        m_sampling = true;
    };
    launch.runCompleted = [this](const CompletedRun &run) { recordRun(run); };
    connect(&m_signals, &SignalWatcher::received, this, &ProgramEdges::interrupt);
    atProcessEnd([this](int exitStatus) { return finish(exitStatus); });
}

void ProgramEdges::recordRun(const CompletedRun &run)
{
    const HardwareFields &hw = m_console->hardwareFields();
    RecordedRun recorded{run, runChecksum(run, hw, m_console->decimalSeparator()), std::nullopt};
    if (std::exchange(m_sampling, false))
        recorded.conditions = m_sampler.stop();
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

QStringList ProgramEdges::nextRepeatLines()
{
    const std::vector<TestTimes> times = timesByTest(m_session.runs);
    // A run that failed or never started leaves fewer good runs than asked for.
    const bool allGood = times.size() == 1 && times.front().seconds.size() == m_batchRuns;
    if (allGood) {
        const measurement::RepeatStep step = measurement::nextRepeat(m_repeatRule, times.front().seconds);
        if (step == measurement::RepeatStep::Again) {
            ++m_batchRuns;
            return {batchRunLine(*m_batchTest)};
        }
        m_session.autoRepeat->endedBy = step;
    }
    return {QStringLiteral("exit")};
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
    // After the console's last line, so that its own lines stay as they are.
    if (m_batchTest && !m_session.runs.empty()) {
        std::fputs(batchSummary(m_session).toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    }
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
