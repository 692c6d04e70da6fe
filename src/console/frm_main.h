#pragma once

#include "console/command_interpreter.h"
#include "console/message_box.h"
#include "engine/console_gateway.h"
#include "engine/run_calls.h"
#include "engine/run_host.h"
#include "engine/test_run.h"
#include "hardware/hardware_fields.h"
#include "hardware/hardware_info.h"
#include "records/records.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace tarvik {

class TerminalBridge;
class frmMain;

// How the program was started.
struct LaunchOptions {
    bool terminal = false; // the console runs on standard input and output
    QString commandLine;   // a score file to open, or empty
    // Lines the terminal console runs in place of standard input (a batch run).
    QStringList scriptedInput;
    // Called once the console exists, before its start-up, so that the
    // program's edges (results file, history, signals) can follow it.
    std::function<void(frmMain &)> consoleCreated;
};

// The console window: an output pane that only grows at its end and a
// one-line input field shown while a line is awaited. It is also the hub
// that owns the state the other parts share and the operations they call.
class frmMain : public QWidget, public RunHost {
    Q_OBJECT
public:
    explicit frmMain(const LaunchOptions &options);
    ~frmMain() override;

    // Output and input.
    void PrintLn(const QString &s);
    void PrintLn(const std::string &s) override;
    void PrintLn(const char *s) { PrintLn(QString::fromUtf8(s)); }
    void PrintCh(const QString &s);
    QString getInput();
    void txtConsole_KeyDown(int KeyCode, int Shift);
    bool isAwaitingInput() const;
    QString paneText() const { return txtOut->toPlainText(); }
    QLineEdit *inputField() const { return txtConsole; }

    // Start-up, test menu and shut-down.
    void Form_Load();
    std::int16_t PrintSelect();
    [[noreturn]] void Form_Unload();

    // The command loop: runs `cmd`, then every line read after it. It only
    // ends with the process.
    [[noreturn]] void doInput(const std::string &cmd);

    // Test runs.
    void StartTest(std::int16_t size, bool quiet);
    float GetTime(bool reset = false) { return m_run.GetTime(reset); }
    bool testRunning() const { return m_run.testRunning(); }

    // Score files: each returns the text to show the user, never a fault.
    // Loading changes nothing unless the whole file is valid.
    std::string SaveScore(const std::string &path, std::int16_t test);
    std::string LoadScore(const std::string &path);

    // Settings and helpers.
    void loadUserName();
    void saveUserName(const QString &name);
    bool LibraryExist(const QString &lib) const;

    // RunHost
    void processEvents() override;
    char decimalSeparator() const override { return m_decimalSeparator; }
    void startWorker(const WorkerJob &job) override;
    void runCompleted(const CompletedRun &run) override { emit testCompleted(run); }
    void runEnded(bool quiet) override;

    // Shared state.
    std::int16_t Threads = 0;
    HardwareFields hw;
    // The processor scan and the hardware summary, which fill `hw`.
    HardwareInfo hardware{*this};
    // Yes/No questions: a box in the window, a line in the terminal.
    std::unique_ptr<MessageBox> messageBox;
    QString stor_name;
    bool revert_to_gui = false;
    QString lastError;
    bool cacheMode = false;
    Records records;
    SubmissionIds submissionIds;
    // Settings that live for one run of the program.
    bool subHttp = false;
    bool quickMode = false;
    QString hwbotServer;

signals:
    void inputAwaited();
    void lineReady();
    void runFinished();
    void testCompleted(const tarvik::CompletedRun &run);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Resize();
    void placeInputField();
    // Prints a line into the pane only; the terminal echoes input itself.
    void printLine(const QString &s);
    void appendToPane(const QString &text);
    void waitWhileTestRunning();

    LaunchOptions m_options;
    char m_decimalSeparator;
    QPlainTextEdit *txtOut;
    QLineEdit *txtConsole;
    QString m_inputTag; // "Ready" once Enter was pressed on the awaited line
    bool m_awaitingInput = false;
    qsizetype m_paneLength = 0; // characters in the pane, line ends counted as CR LF
    TestRun m_run;
    RunCalls m_runCalls;
    ConsoleGateway m_gateway;
    CommandInterpreter m_commands;
    std::unique_ptr<TerminalBridge> m_terminal;
};

} // namespace tarvik
