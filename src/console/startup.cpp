// The life of the console window: start-up, the test menu and shut-down.
#include "console/command_line.h"
#include "console/frm_main.h"
#include "engine/process_end.h"
#include "engine/start.h"
#include "foundation/numbers.h"
#include "foundation/product.h"
#include "foundation/protocol.h"
#include "records/score_file.h"

#include <QFile>

#include <cstdlib>

namespace tarvik {

namespace {
// The quick test size, also used for the quiet preparation run.
// Pending events are processed this many times in a row before the clock is
// first read, to load the processor.
constexpr int WarmUpRounds = 32766;
// Where HWBOT submissions go unless "hserver" says otherwise.
const char *const DefaultHwbotServer = "http://hwbot.org/submit.client.result.do?";
} // namespace

void frmMain::Form_Load()
{
    setWindowTitle(QString::fromUtf8(ProductTitle));
    if (!m_options.terminal)
        show();
    subHttp = true;
    // The program stays in the folder it was started from, so that relative
    // paths in commands and on the command line mean what they mean in a
    // shell; it finds its own files without a change of folder.
    PrintLn("Welcome to " + QString::fromUtf8(ProductTitle) + ".");
    if (!m_options.commandLine.isEmpty()) {
        // A score file opens in the viewer, which loads it; no scan, no run.
        PrintLn("Loading file " + m_options.commandLine);
    } else {
        PrintLn(QStringLiteral("Stressing CPU to prevent false clock reading."));
        for (int i = 1; i <= WarmUpRounds; ++i)
            processEvents();
        PrintLn(QStringLiteral("Scanning System - Please stand by."));
        processEvents();
        Threads = hardware.ScanSystem();
        PrintLn(QString::number(Threads) + " CPU(s) detected. Optimizing calculation.");
        hardware.GetCPUz();
        PrintLn(QStringLiteral("Initiating thread structure, please stand by."));
        StartTest(QuickTest, true);
        waitWhileTestRunning();
    }
    loadUserName();
    records.clear();
    submissionIds.clear();
    PrintLn(QStringLiteral("Type help for instructions."));
    m_commands.run(std::string("hserver ") + DefaultHwbotServer);
    if (!m_options.terminal)
        doInput("gui"); // the front end opens; the command loop waits behind it
    if (!m_options.commandLine.isEmpty())
        openScoreFileInTerminal();
    doInput(getInput().toStdString());
}

void frmMain::openScoreFileInTerminal()
{
    // The terminal has no viewer: the file is loaded into the console and
    // its record shown; a refused file ends the program with a failure.
    const std::string message = LoadScore(QFile::encodeName(m_options.commandLine).toStdString());
    PrintLn(message);
    if (message != scoreResults::Loaded)
        endProcess(EXIT_FAILURE);
    m_commands.run("pr");
}

std::int16_t frmMain::PrintSelect()
{
    PrintLn(QStringLiteral("Please select test."));
    for (int i = FirstTest; i <= LastTest; ++i)
        PrintLn(command_line::testMenuLine(i));
    const double choice = numbers::leadingNumber(getInput().toStdString());
    if (choice < FirstTest || choice > LastTest) {
        PrintLn(QStringLiteral("Invalid Input"));
        return 0;
    }
    PrintLn(numbers::numberText(choice, m_decimalSeparator));
    return numbers::toInt16(choice);
}

void frmMain::Form_Unload()
{
    PrintLn(QStringLiteral("Please stand by..."));
    m_engine.releaseResults();
    UnregisterServer();
    endProcess(0);
}

} // namespace tarvik
