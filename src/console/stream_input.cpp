#include "console/stream_input.h"

#include <iostream>
#include <string>
#include <thread>

#include <unistd.h>

namespace tarvik {

void StreamInput::start()
{
    // Reading blocks, so it has a thread of its own; each line is handed to
    // the console's thread. The thread is never joined: the process ends
    // with the console, wherever the reader is.
    std::thread([this] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const QString text = QString::fromLocal8Bit(line);
            QMetaObject::invokeMethod(this, [this, text] { emit lineArrived(text); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(this, [this] { emit inputEnded(); }, Qt::QueuedConnection);
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
