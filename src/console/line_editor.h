#pragma once

#include "console/terminal_input.h"

#include <QByteArray>
#include <QSocketNotifier>

namespace tarvik {

// Line editing at an interactive terminal: cursor keys, and earlier lines
// back with the Up key. The editing library reads one key at a time when
// standard input has one, so the console's event loop keeps running; it is
// only active while the console awaits a line, so lines typed during a run
// stay with the terminal until the next prompt, which then reads them.
// There is one terminal, so there is at most one editor.
class LineEditor : public TerminalInput {
    Q_OBJECT
public:
    LineEditor();
    ~LineEditor() override;

    bool showsTypedLines() const override { return true; }
    bool showsPrompt() const override { return true; }
    void lineAwaited(const QString &prompt) override;
    void outputArrives() override;

private:
    static void lineEntered(char *line);
    void keyReady();
    void stopReading();

    QSocketNotifier m_keys;
    QByteArray m_prompt;
    bool m_reading = false;
};

} // namespace tarvik
