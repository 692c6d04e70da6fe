#pragma once

// The program's event-loop model, which every window and subsystem relies on.
//
// There is no app.exec(). main() creates the QApplication and calls Main(),
// which creates this console and runs Form_Load(); Form_Load() starts the
// command loop doInput(), which never returns. Everything that waits runs a
// nested event loop on the console's thread: getInput() waits for a line in
// a QEventLoop until Enter (txtConsole_KeyDown with EnterKey) or the terminal
// bridge delivers one, and a test run is awaited in a QEventLoop that ends
// on runFinished(). Workers' calls reach the console through the engine's
// gateway as queued calls, so they run inside whichever of these loops is
// spinning, one at a time. PrintLn() processes pending events after each
// line. The process ends with Form_Unload() (or a worker's fatal end) through
// endProcess(): standard output is flushed and std::_Exit is called, so no
// destructor of a window or thread runs. A window of the front end therefore
// never starts its own top-level loop; it shows itself and returns, and its
// handlers run inside the console's nested loops.

#include "cli/launch_options.h"
#include "cli/session_console.h"
#include "console/command_interpreter.h"
#include "console/message_box.h"
#include "engine/run_engine.h"
#include "engine/run_host.h"
#include "gui/gui_console.h"
#include "hardware/hardware_console.h"
#include "hardware/hardware_fields.h"
#include "hardware/hardware_info.h"
#include "libraries/library_console.h"
#include "records/records.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace tarvik {

class TerminalBridge;
class ConsoleSubmission;
class frmMain;

// The console window: an output pane that only grows at its end and a
// one-line input field shown while a line is awaited. It is also the hub
// that owns the state the other parts share and the operations they call.
class frmMain : public QWidget,
                public RunConsole,
                public HardwareConsole,
                public LibraryConsole,
                public SessionConsole,
                public GuiConsole {
    Q_OBJECT
public:
    explicit frmMain(const LaunchOptions &options);
    ~frmMain() override;

    // Output and input.
    void PrintLn(const QString &s);
    void PrintLn(const std::string &s) override;
    void PrintLn(const char *s) { PrintLn(QString::fromUtf8(s)); }
    void PrintCh(const QString &s);
    // The next line entered; a line longer than LongestLine is refused and
    // the prompt shown again.
    QString getInput() override;
    void txtConsole_KeyDown(int KeyCode, int Shift);
    bool isAwaitingInput() const;
    QString paneText() const { return txtOut->toPlainText(); }
    QLineEdit *inputField() const { return txtConsole; }
    const LaunchOptions &launchOptions() const { return m_options; }

    // Start-up, test menu and shut-down.
    void Form_Load();
    std::int16_t PrintSelect();
    [[noreturn]] void Form_Unload() override;

    // The command loop: runs `cmd`, then every line read after it. It only
    // ends with the process.
    [[noreturn]] void doInput(const std::string &cmd);
    // Runs one command line at once, outside the loop; false when it failed.
    bool runCommand(const std::string &cmd) { return m_commands.run(cmd); }
    // Where the program is put together, each subsystem adds its commands.
    void addCommands(std::vector<ConsoleCommand> commands) { m_commands.add(std::move(commands)); }

    // Test runs.
    void StartTest(std::int16_t size, bool quiet);
    float GetTime(bool reset = false) { return m_engine.GetTime(reset); }
    bool testRunning() const override { return m_engine.testRunning(); }

    // Score files: each returns the text to show the user, never a fault.
    // Loading changes nothing unless the whole file is valid.
    std::string SaveScore(const std::string &path, std::int16_t test) override;
    std::string LoadScore(const std::string &path) override;

    // Submission to the result server, for the commands and the front end.
    ConsoleSubmission &submission() override { return *m_submission; }

    // Settings and helpers.
    void loadUserName();
    void saveUserName(const QString &name);
    bool LibraryExist(const QString &lib) const;

    // RunConsole (the engine)
    void processEvents() override;
    char decimalSeparator() const override { return m_decimalSeparator; }
    bool cacheModeOn() const override { return cacheMode; }
    void runStarting() override;
    void runCompleted(const CompletedRun &run) override;
    void runEnded(bool quiet) override;

    // HardwareConsole (the processor scan and the hardware summary)
    HardwareFields &hardwareFields() override { return hw; }
    bool libraryExists(const std::string &file) const override;
    std::string systemFolder() const override;

    // LibraryConsole (the installer and the clean-up)
    bool askYesNo(const std::string &title, const std::string &question) override;
    std::string libraryPath(const std::string &file) const override;
    std::string readSetting(const std::string &key) const override;
    void removeSetting(const std::string &key) override;
    void showHardwareSummary() override { hardware.GetCPUz(); }

    // SessionConsole (the program's edges)
    QThread *consoleThread() const override { return thread(); }

    // GuiConsole (the front end)
    double bestTime(std::int16_t test) const override { return records.get(test); }
    std::int16_t threadCount() const override { return Threads; }
    const HardwareFields &machine() const override { return hw; }
    QString submitterName() const override { return stor_name; }
    QString hwbotAddress() const override { return hwbotServer; }
    QString scoreFileToShow() const override { return m_options.commandLine; }
    bool inTerminal() const override { return m_options.terminal; }
    bool installLibrary(const std::string &file) override;
    QString installRefusal() const override { return lastError; }
    MessageBox &messages() override { return *messageBox; }
    void showConsole() override { show(); }
    void hideConsole() override { hide(); }
    void toggleConsole() override { setVisible(!isVisible()); }
    void printText(const QString &text) override { PrintCh(text); }
    void returnToFrontEnd() override { revert_to_gui = true; }
    void stayInConsole() override { revert_to_gui = false; }
    void enterLine(const QString &line) override;
    [[noreturn]] void endProgram(int exitStatus) override;

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

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Resize();
    void placeInputField();
    // Shows the prompt and waits for Enter; the field's text.
    QString awaitLine();
    // Prints a line into the pane only; the terminal echoes input itself.
    void printLine(const QString &s);
    void appendToPane(const QString &text);
    void waitWhileTestRunning();
    void keepEndInView();
    bool copyPaneSelection(QEvent *event);
    void openScoreFileInTerminal();

    LaunchOptions m_options;
    char m_decimalSeparator;
    QPlainTextEdit *txtOut;
    QLineEdit *txtConsole;
    QString m_inputTag; // "Ready" once Enter was pressed on the awaited line
    bool m_awaitingInput = false;
    // Lines entered with Enter, and the last of them echoed into the pane.
    int m_linesEntered = 0;
    int m_linesEchoed = 0;
    qsizetype m_paneLength = 0; // characters in the pane, line ends counted as CR LF
    RunEngine m_engine;
    CommandInterpreter m_commands;
    std::unique_ptr<ConsoleSubmission> m_submission;
    std::unique_ptr<TerminalBridge> m_terminal;
};

} // namespace tarvik
