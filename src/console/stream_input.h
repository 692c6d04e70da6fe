#pragma once

#include "console/terminal_input.h"

namespace tarvik {

// Lines read from standard input as they come: a pipe, a file, or a
// terminal without line editing.
class StreamInput : public TerminalInput {
    Q_OBJECT
public:
    void start() override;
    bool showsTypedLines() const override;
};

// A fixed list of lines, then the end of input. They are shown after their
// prompts as piped lines are, so the transcript reads the same.
class ScriptedInput : public TerminalInput {
    Q_OBJECT
public:
    explicit ScriptedInput(QStringList lines) : m_lines(std::move(lines)) {}
    void start() override;
    bool showsTypedLines() const override { return false; }

private:
    QStringList m_lines;
};

} // namespace tarvik
