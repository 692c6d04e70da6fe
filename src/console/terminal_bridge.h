#pragma once

#include <QObject>
#include <QString>

#include <deque>

namespace tarvik {

class frmMain;

// Runs the console in the terminal: every printed line goes to standard
// output, and each time the console awaits a line the next line read from
// standard input is submitted as if typed and entered. Lines that arrive
// while nothing is awaited (during a test run) wait in a queue; the end of
// input, once the queue is empty, ends the program as "exit" does.
class TerminalBridge : public QObject {
    Q_OBJECT
public:
    explicit TerminalBridge(frmMain &console);

    void write(const QString &text);
    // Writes a submitted line after its prompt, unless the terminal has
    // shown it already as it was typed.
    void echo(const QString &line);

private:
    void startReader();
    void lineArrived(const QString &line);
    void inputEnded();
    void submitNext();

    frmMain &m_console;
    std::deque<QString> m_queue;
    bool m_inputEnded = false;
    bool m_echoLines;
};

} // namespace tarvik
