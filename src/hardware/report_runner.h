#pragma once

#include "hardware/line_sink.h"
#include "records/hash_table.h"

#include <QString>

#include <chrono>
#include <functional>
#include <string>

class QProcess;

namespace tarvik {

// How long the console waits for the report helper. Every wait has a bound,
// so a helper that hangs or never writes its report cannot hold the console.
struct ReportWaits {
    // For the report to appear while the helper runs.
    std::chrono::milliseconds report{30000};
    // Once it has appeared, for the helper to finish and exit.
    std::chrono::milliseconds settle{1000};
    // Between the lines of the countdown before a report is read again.
    std::chrono::milliseconds countdownStep{1000};
    // Reads of a report that is empty or unreadable before giving up.
    int readAttempts = 3;
};

// What the runner needs from the console it runs for.
struct ReportConsole {
    LineSink print;
    std::function<void()> processEvents;
    // True while the user asks to abort the wait (Shift held in a window).
    std::function<bool()> abortRequested;
};

// The file name the report helper is installed and run under.
inline constexpr const char *ReportHelperFile = "cpuz141.exe";

// Runs the report helper installed in the system folder as cpuz141.exe,
// waits for the report out.txt it writes there, reads it and parses it.
class ReportRunner {
public:
    ReportRunner(QString systemFolder, ReportConsole console, ReportWaits waits = {});

    // The parsed report; an empty table when no report could be had. Never fails.
    HashTable CollectCPUz();
    // The path of the report, or empty when the helper gave none.
    QString RunCPUz();
    // The whole report; empty when `path` is empty or it cannot be read.
    std::string ReadReport(const QString &path);

private:
    void print(const std::string &line) const { m_console.print(line); }
    void removeStaleReport(const QString &path);
    // Whether the report appeared; otherwise says why not, unless aborted.
    bool waitForReport(QProcess &helper, const QString &reportPath);
    // The "Reattempting in" lines; false when the user aborted them.
    bool countDown();

    QString m_systemFolder; // ends with "/"
    ReportConsole m_console;
    ReportWaits m_waits;
};

} // namespace tarvik
