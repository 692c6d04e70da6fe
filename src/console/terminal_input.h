#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace tarvik {

// Where the terminal console's lines come from. Lines may arrive at any
// time; the terminal bridge queues them until the console awaits one.
class TerminalInput : public QObject {
    Q_OBJECT
public:
    // Starts delivering lines; called once the signals are connected.
    virtual void start() {}
    // Whether the terminal already shows each line as it is typed, so the
    // console does not write it a second time.
    virtual bool showsTypedLines() const = 0;
    // Whether this input shows the prompt itself while it reads a line.
    virtual bool showsPrompt() const { return false; }
    // The console awaits a line and none is queued: an input that shows the
    // prompt itself starts reading a line after `prompt` now.
    virtual void lineAwaited(const QString & /*prompt*/) {}
    // Output is about to be written while a line may be being read; the
    // input sets such a line aside (and says so) until it is awaited again.
    virtual void outputArrives() {}

signals:
    void lineArrived(const QString &line);
    void inputEnded();
    // A line being read was set aside for output; the console still awaits it.
    void lineSetAside();
};

// The input for a console in the terminal: the given lines when there are
// any (a batch run), else standard input, with line editing when it is an
// interactive terminal.
std::unique_ptr<TerminalInput> terminalInput(const QStringList &script);

} // namespace tarvik
