#include "hardware/report_runner.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/paths.h"
#include "hardware/report_parser.h"
#include "foundation/file_bytes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <thread>

namespace tarvik {

namespace {

// The helper is given the report's name without ".txt" and adds it itself.
const QString ReportBase = QStringLiteral("out");
const QString ReportName = QStringLiteral("out.txt");
constexpr std::chrono::milliseconds PollInterval{100};
// A report is a few tens of kilobytes; anything beyond this is not one and
// is not read, so a runaway helper cannot fill the memory.
constexpr std::size_t ReportLimit = 1024 * 1024;

std::string secondsText(std::chrono::milliseconds duration)
{
    return numbers::numberText(static_cast<double>(duration.count()) / 1000.0);
}

// The report's bytes; empty when it cannot be read.
std::string readReportFile(const QString &path)
{
    try {
        return files::readFileBytes(QFile::encodeName(path).toStdString(), ReportLimit);
    } catch (const Fault &) {
        return {};
    }
}

} // namespace

ReportRunner::ReportRunner(QString systemFolder, ReportConsole console, ReportWaits waits)
    : m_systemFolder(QString::fromStdString(AddSlash(systemFolder.toStdString()))),
      m_console(std::move(console)),
      m_waits(waits)
{
}

HashTable ReportRunner::CollectCPUz()
{
    return ParseReport(ReadReport(RunCPUz()), m_console.print);
}

QString ReportRunner::RunCPUz()
{
    print("Gathering CPUz information");
    const QString reportPath = m_systemFolder + ReportName;
    removeStaleReport(reportPath);

    print("Shelling CPUz");
    QProcess helper;
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setStandardOutputFile(QProcess::nullDevice());
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(m_systemFolder + ReportHelperFile, {"-txt=" + m_systemFolder + ReportBase});
    print("Waiting for CPUz information");
    print("Hold shift to abort");
    print("Please stand by...");
    const bool reported = waitForReport(helper, reportPath);
    // Give the helper time to finish writing, then end it if it still runs:
    // it is of no further use, and a late report must not outlive this run.
    if (reported)
        helper.waitForFinished(static_cast<int>(m_waits.settle.count()));
    helper.kill();
    helper.waitForFinished();
    if (!reported)
        return {};
    print("CPUz output complete");
    return reportPath;
}

void ReportRunner::removeStaleReport(const QString &path)
{
    // A report left from an earlier run would end the wait before the helper
    // has written the new one.
    if (!QFileInfo::exists(path))
        return;
    print("Removing previous CPUid information");
    QFile::remove(path);
}

bool ReportRunner::waitForReport(QProcess &helper, const QString &reportPath)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (QFileInfo::exists(reportPath))
            return true;
        if (m_console.abortRequested())
            return false;
        if (helper.state() == QProcess::NotRunning) {
            // It may have written the report just before it ended.
            if (QFileInfo::exists(reportPath))
                return true;
            print(helper.error() == QProcess::FailedToStart ? "CPUz could not be started."
                                                            : "CPUz ended without writing its report.");
            return false;
        }
        if (std::chrono::milliseconds(waited.elapsed()) >= m_waits.report) {
            print("CPUz gave no output within " + secondsText(m_waits.report) + " seconds. Giving up.");
            return false;
        }
        m_console.processEvents();
        // Sleeps until the next look, or less when the helper ends.
        helper.waitForFinished(static_cast<int>(PollInterval.count()));
    }
}

std::string ReportRunner::ReadReport(const QString &path)
{
    if (path.isEmpty())
        return {};
    for (int attempt = 1;; ++attempt) {
        // An empty report counts as unreadable: the helper may still be writing it.
        std::string text = readReportFile(path);
        if (!text.empty())
            return text;
        if (attempt >= m_waits.readAttempts) {
            print("CPUz output failed. Giving up.");
            return {};
        }
        print("CPUz output failed. Will reattempt. Hold shift to abort.");
        if (!countDown())
            return {};
    }
}

bool ReportRunner::countDown()
{
    for (int i = 1; i <= 3; ++i) {
        if (m_console.abortRequested())
            return false;
        std::this_thread::sleep_for(m_waits.countdownStep);
        print("Reattempting in " + std::to_string(4 - i));
    }
    return true;
}

} // namespace tarvik
