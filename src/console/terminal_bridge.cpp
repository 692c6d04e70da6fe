#include "console/terminal_bridge.h"

#include "console/frm_main.h"
#include "console/terminal_input.h"
#include "foundation/protocol.h"

#include <cstdio>
#include <utility>

namespace tarvik {

TerminalBridge::TerminalBridge(frmMain &console, const QStringList &script, std::function<QStringList()> moreScript)
    : m_console(console),
      m_input(terminalInput(script)),
      m_moreScript(std::move(moreScript))
{
    connect(&console, &frmMain::inputAwaited, this, &TerminalBridge::submitNext);
    connect(m_input.get(), &TerminalInput::lineArrived, this, &TerminalBridge::lineArrived);
    connect(m_input.get(), &TerminalInput::inputEnded, this, &TerminalBridge::inputEnded);
    connect(m_input.get(), &TerminalInput::lineSetAside, this, [this] {
        // Read the line again once the output is done, unless the process
        // ends first or the line is no longer awaited.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_console.isAwaitingInput())
                    return;
                m_prompt = m_lastPrompt;
                submitNext();
            },
            Qt::QueuedConnection);
    });
    m_input->start();
}

TerminalBridge::~TerminalBridge() = default;

void TerminalBridge::write(const QString &text)
{
    if (m_input->showsPrompt() && !text.endsWith('\n')) {
        m_prompt += text;
        return;
    }
    m_input->outputArrives();
    output(std::exchange(m_prompt, QString()) + text);
}

void TerminalBridge::output(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void TerminalBridge::echo(const QString &line)
{
    if (!m_input->showsTypedLines())
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
    if (m_queue.empty() && m_inputEnded && m_moreScript)
        for (const QString &line : m_moreScript())
            m_queue.push_back(line);
    if (!m_queue.empty()) {
        output(std::exchange(m_prompt, QString()));
        m_console.inputField()->setText(m_queue.front());
        m_queue.pop_front();
        m_console.txtConsole_KeyDown(EnterKey, 0);
    } else if (m_inputEnded) {
        write(QStringLiteral("\n")); // ends the prompt's line
        m_console.Form_Unload();
    } else if (!m_prompt.isEmpty()) {
        m_lastPrompt = m_prompt;
        m_input->lineAwaited(std::exchange(m_prompt, QString()));
    }
}

} // namespace tarvik
