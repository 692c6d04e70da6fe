#include "console/line_editor.h"

#include "engine/process_end.h"

#include <cstdio>
#include <cstdlib>

#include <editline/readline.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tarvik {

namespace {
LineEditor *activeEditor = nullptr;
// Earlier lines kept for the Up key.
constexpr int HistoryLines = 1000;
} // namespace

LineEditor::LineEditor() : m_keys(STDIN_FILENO, QSocketNotifier::Read)
{
    activeEditor = this;
    m_keys.setEnabled(false);
    connect(&m_keys, &QSocketNotifier::activated, this, &LineEditor::keyReady);
    // The program handles its signals itself; the library must not take them.
    rl_catch_signals = 0;
    rl_readline_name = "tarvik";
    using_history();
    stifle_history(HistoryLines);
    // However the process ends, the terminal gets its own settings back.
    atProcessEnd([](int exitStatus) {
        if (activeEditor)
            activeEditor->stopReading();
        return exitStatus;
    });
}

LineEditor::~LineEditor()
{
    stopReading();
    activeEditor = nullptr;
}

void LineEditor::lineAwaited(const QString &prompt)
{
    if (m_reading)
        return;
    m_prompt = prompt.toLocal8Bit();
    m_reading = true;
    rl_callback_handler_install(m_prompt.constData(), &LineEditor::lineEntered);
    m_keys.setEnabled(true);
}

void LineEditor::outputArrives()
{
    if (!m_reading)
        return;
    stopReading();
    std::fputs("\n", stdout);
    emit lineSetAside();
}

void LineEditor::stopReading()
{
    if (!m_reading)
        return;
    m_reading = false;
    m_keys.setEnabled(false);
    rl_callback_handler_remove();
}

void LineEditor::keyReady()
{
    // Readable with nothing to read: the terminal has gone away.
    int pending = 0;
    if (ioctl(STDIN_FILENO, FIONREAD, &pending) == 0 && pending == 0) {
        stopReading();
        emit inputEnded();
        return;
    }
    rl_callback_read_char();
}

void LineEditor::lineEntered(char *line)
{
    LineEditor *editor = activeEditor;
    editor->stopReading();
    if (!line) { // end of input typed at an empty line
        emit editor->inputEnded();
        return;
    }
    const QString text = QString::fromLocal8Bit(line);
    if (!text.trimmed().isEmpty())
        add_history(line);
    std::free(line);
    emit editor->lineArrived(text);
}

} // namespace tarvik
