// The life of the console window: start-up, the test menu and shut-down.
#include "console/command_line.h"
#include "console/frm_main.h"
#include "console/numbers.h"
#include "engine/process_end.h"
#include "engine/start.h"

namespace tarvik {

namespace {
// The quick test size, also used for the quiet preparation run.
constexpr std::int16_t kQuickTest = -5;
// Pending events are processed this many times in a row before the clock is
// first read, to load the processor.
constexpr int kWarmUpRounds = 32766;
// Where HWBOT submissions go unless "hserver" says otherwise.
const char *const kDefaultHwbotServer = "http://hwbot.org/submit.client.result.do?";
} // namespace

void frmMain::Form_Load()
{
    setWindowTitle(ProductTitle());
    if (!m_options.terminal)
        show();
    subHttp = true;
    // The program stays in the folder it was started from, so that relative
    // paths in commands and on the command line mean what they mean in a
    // shell; it finds its own files without a change of folder.
    PrintLn("Welcome to " + ProductTitle() + ".");
    if (!m_options.commandLine.isEmpty()) {
        // A score file opens in the viewer, which loads it; no scan, no run.
        PrintLn("Loading file " + m_options.commandLine);
    } else {
        PrintLn(QStringLiteral("Stressing CPU to prevent false clock reading."));
        for (int i = 1; i <= kWarmUpRounds; ++i)
            processEvents();
        PrintLn(QStringLiteral("Scanning System - Please stand by."));
        processEvents();
        Threads = hardware.ScanSystem();
        PrintLn(QString::number(Threads) + " CPU(s) detected. Optimizing calculation.");
        hardware.GetCPUz();
        PrintLn(QStringLiteral("Initiating thread structure, please stand by."));
        StartTest(kQuickTest, true);
        waitWhileTestRunning();
    }
    loadUserName();
    records.clear();
    submissionIds.clear();
    PrintLn(QStringLiteral("Type help for instructions."));
    m_commands.run(std::string("hserver ") + kDefaultHwbotServer);
    doInput(getInput().toStdString());
}

std::int16_t frmMain::PrintSelect()
{
    PrintLn(QStringLiteral("Please select test."));
    for (int i = 1; i <= 16; ++i)
        PrintLn(command_line::testMenuLine(i));
    const double choice = numbers::leadingNumber(getInput().toStdString());
    if (choice < 1 || choice > 16) {
        PrintLn(QStringLiteral("Invalid Input"));
        return 0;
    }
    PrintLn(numbers::numberText(choice, m_decimalSeparator));
    return numbers::toInt16(choice);
}

void frmMain::Form_Unload()
{
    PrintLn(QStringLiteral("Please stand by..."));
    m_run.releaseResults();
    UnregisterServer();
    endProcess(0);
}

} // namespace tarvik
