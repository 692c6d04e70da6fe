#include "console/stream_input.h"

#include "console/line_limit.h"

#include <iostream>
#include <string>
#include <thread>

#include <unistd.h>

namespace tarvik {

namespace {

// Reads one line without its line feed; of a line longer than `limit` bytes
// only the first limit + 1 are kept (enough for the console to refuse it),
// so that memory stays bounded whatever arrives. False at the end of input.
bool readLine(std::istream &in, std::string &line, std::size_t limit)
{
    line.clear();
    bool readAny = false;
    for (char c; in.get(c);) {
        readAny = true;
        if (c == '\n')
            return true;
        if (line.size() <= limit)
            line += c;
    }
    return readAny;
}

} // namespace

void StreamInput::start()
{
    // Reading blocks, so it has a thread of its own; each line is handed to
    // the console's thread. The thread is never joined: the process ends
    // with the console, wherever the reader is.
    std::thread([this] {
        std::string line;
        while (readLine(std::cin, line, LongestLine)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const QString text = QString::fromLocal8Bit(line);
            QMetaObject::invokeMethod(
                this, [this, text] { emit lineArrived(text); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            this, [this] { emit inputEnded(); }, Qt::QueuedConnection);
    }).detach();
}

bool StreamInput::showsTypedLines() const
{
    return isatty(STDIN_FILENO);
}

void ScriptedInput::start()
{
    for (const QString &line : m_lines)
        emit lineArrived(line);
    emit inputEnded();
}

} // namespace tarvik
