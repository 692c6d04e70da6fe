#include "console/terminal_bridge.h"

#include "console/frm_main.h"
#include "console/line_limit.h"
#include "foundation/protocol.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include <unistd.h>

namespace tarvik {

TerminalBridge::TerminalBridge(frmMain &console)
    : m_console(console), m_echoLines(!isatty(STDIN_FILENO))
{
    connect(&console, &frmMain::inputAwaited, this, &TerminalBridge::submitNext);
    startReader();
}

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

void TerminalBridge::startReader()
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
            QMetaObject::invokeMethod(this, [this, text] { lineArrived(text); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(this, [this] { inputEnded(); }, Qt::QueuedConnection);
    }).detach();
}

void TerminalBridge::write(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void TerminalBridge::echo(const QString &line)
{
    if (m_echoLines)
        write(line + '\n');
}

void TerminalBridge::lineArrived(const QString &line)
{
    m_queue.push_back(line);
    submitNext();
}

void TerminalBridge::inputEnded()
{
    m_inputEnded = true;
    submitNext();
}

void TerminalBridge::submitNext()
{
    if (!m_console.isAwaitingInput())
        return;
    if (!m_queue.empty()) {
        m_console.inputField()->setText(m_queue.front());
        m_queue.pop_front();
        m_console.txtConsole_KeyDown(EnterKey, 0);
    } else if (m_inputEnded) {
        write(QStringLiteral("\n")); // ends the prompt's line
        m_console.Form_Unload();
    }
}

} // namespace tarvik
