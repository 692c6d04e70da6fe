#include "hardware/hardware_info.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "hardware/hardware_summary.h"
#include "hardware/processor_fields.h"
#include "hardware/processor_scan.h"
#include "hardware/report_runner.h"

#include <QGuiApplication>
#include <QString>

namespace tarvik {

namespace {

// In a window, Shift held aborts the waits for the report helper; the
// terminal has no such key and relies on the waits' bounds.
bool shiftHeld()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

// The console's lines end in "\n"; the hardware texts use CR LF.
std::string consoleLines(const std::string &crlfText)
{
    return QString::fromStdString(crlfText).replace(QLatin1String("\r\n"), QLatin1String("\n")).toStdString();
}

} // namespace

HardwareInfo::HardwareInfo(HardwareConsole &console, std::filesystem::path machineRoot)
    : m_console(console),
      m_machineRoot(std::move(machineRoot))
{
}

void HardwareInfo::print(const std::string &line)
{
    m_console.PrintLn(line);
}

std::int16_t HardwareInfo::ScanSystem()
{
    try {
        const std::vector<ProcessorInfo> processors = readProcessors(m_machineRoot);
        m_console.processEvents();
        // No thread count comes out of an empty list, and a run with no
        // workers would never end.
        if (processors.empty())
            return scanFailed();
        const std::int16_t count = numbers::toInt16(describeProcessors(
            processors, m_clockCheck, m_console.decimalSeparator(), [this](const std::string &line) { print(line); },
            m_console.hardwareFields()));
        // One call: the description ends with its own line break, so an empty line follows it.
        m_console.PrintLn(consoleLines(m_console.hardwareFields().cpu_string));
        return count;
    } catch (const Fault &) {
        return scanFailed();
    }
}

std::int16_t HardwareInfo::scanFailed()
{
    print("Unable to access WMI object. Cannot detect CPU.");
    print("Setting default thread usage to 1. Please use ft <thread count> to match your platform.");
    return 1;
}

void HardwareInfo::GetCPUz()
{
    if (!m_console.libraryExists(ReportHelperFile)) {
        print("CPUz isn't installed. Please install for more accurate hardware information.");
        return;
    }
    const LineSink printLine = [this](const std::string &line) { print(line); };
    ReportRunner runner(QString::fromStdString(m_console.systemFolder()),
                        {printLine, [this] { m_console.processEvents(); }, shiftHeld});
    const HashTable report = runner.CollectCPUz();
    try {
        summarizeReport(report, m_console.decimalSeparator(), printLine, m_console.hardwareFields());
    } catch (const Fault &fault) {
        // A garbled report leaves the fields as they were; start-up goes on.
        print("Error occured: " + fault.description() + ".");
    }
}

} // namespace tarvik
