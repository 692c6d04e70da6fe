#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

namespace tarvik {

class frmMain;
class TerminalInput;

// Runs the console in the terminal: every printed line goes to standard
// output, and each time the console awaits a line the next line read from
// the terminal's input is submitted as if typed and entered. Lines that
// arrive while nothing is awaited (during a test run) wait in a queue; the
// end of input, once the queue is empty, ends the program as "exit" does.
class TerminalBridge : public QObject {
    Q_OBJECT
public:
    // With `script`, its lines are the input in place of standard input;
    // `moreScript`, when set, is asked for further lines once they have all
    // been submitted.
    TerminalBridge(frmMain &console, const QStringList &script, std::function<QStringList()> moreScript = {});
    ~TerminalBridge() override;

    void write(const QString &text);
    // Writes a submitted line after its prompt, unless the terminal has
    // shown it already as it was typed.
    void echo(const QString &line);

private:
    void output(const QString &text);
    void lineArrived(const QString &line);
    void inputEnded();
    void submitNext();

    frmMain &m_console;
    std::unique_ptr<TerminalInput> m_input;
    std::deque<QString> m_queue;
    std::function<QStringList()> m_moreScript;
    bool m_inputEnded = false;
    // Text after the last line end, held back while the input shows the
    // prompt itself.
    QString m_prompt;
    QString m_lastPrompt;
};

} // namespace tarvik
