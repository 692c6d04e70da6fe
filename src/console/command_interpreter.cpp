#include "console/command_interpreter.h"

#include "console/command_line.h"
#include "foundation/fault.h"
#include "console/frm_main.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"

#include <QClipboard>
#include <QGuiApplication>

#include <new>

namespace tarvik {

using namespace command_line;
using numbers::boolText;
using numbers::numberText;
using numbers::roundHalfEven;

CommandInterpreter::CommandInterpreter(frmMain &console) : m_console(console)
{
    using Handler = void (CommandInterpreter::*)(const std::string &);
    const std::pair<const char *, Handler> own[] = {
        {"subhttp", &CommandInterpreter::subhttp}, {"qm", &CommandInterpreter::qm},
        {"hserver", &CommandInterpreter::hserver}, {"gethserver", &CommandInterpreter::gethserver},
        {"lt", &CommandInterpreter::lt},           {"copy", &CommandInterpreter::copy},
        {"tc", &CommandInterpreter::tc},           {"qt", &CommandInterpreter::qt},
        {"pr", &CommandInterpreter::pr},           {"ft", &CommandInterpreter::ft},
        {"st", &CommandInterpreter::st},           {"exit", &CommandInterpreter::exit},
        {"help", &CommandInterpreter::help},
    };
    // The handler is captured by copy: clang 14 cannot capture a structured binding.
    for (const auto &[word, handler] : own)
        m_commands.push_back({word, [this, handler = handler](const std::string &cmd) { (this->*handler)(cmd); }});
}

void CommandInterpreter::add(std::vector<ConsoleCommand> commands)
{
    for (ConsoleCommand &command : commands)
        m_commands.push_back(std::move(command));
}

bool CommandInterpreter::run(const std::string &cmd)
{
    try {
        for (const ConsoleCommand &command : m_commands) {
            if (isCommand(command.word, cmd)) {
                command.run(cmd);
                return true;
            }
        }
        print("Unregistered command");
        return true;
    } catch (const Fault &fault) {
        print("Error occured: " + fault.description() + ".");
    } catch (const std::bad_alloc &) {
        print("Error occured: " + std::string(faults::OutOfMemory) + ".");
    }
    return false;
}

void CommandInterpreter::print(const std::string &line)
{
    m_console.PrintLn(line);
}

void CommandInterpreter::subhttp(const std::string &)
{
    m_console.subHttp = !m_console.subHttp;
    print(std::string("subHTTP=") + boolText(m_console.subHttp));
}

void CommandInterpreter::qm(const std::string &)
{
    m_console.quickMode = !m_console.quickMode;
    print(std::string("qm=") + boolText(m_console.quickMode));
}

void CommandInterpreter::hserver(const std::string &cmd)
{
    // "hserver", a blank and at least one more character.
    if (cmd.size() > 8) {
        m_console.hwbotServer = QString::fromStdString(trimmedArgument(cmd));
        print("Server set to: " + m_console.hwbotServer.toStdString());
    } else {
        print("No server set, syntax: hserver <server>");
    }
}

void CommandInterpreter::gethserver(const std::string &)
{
    print(m_console.hwbotServer.toStdString());
}

void CommandInterpreter::lt(const std::string &)
{
    const std::int16_t test = m_console.PrintSelect();
    if (isTestNumber(test))
        m_console.StartTest(test, false);
}

void CommandInterpreter::copy(const std::string &)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_console.paneText());
}

void CommandInterpreter::tc(const std::string &)
{
    m_console.cacheMode = !m_console.cacheMode;
    print(std::string("Cache mode set to: ") + boolText(m_console.cacheMode));
}

void CommandInterpreter::qt(const std::string &)
{
    m_console.StartTest(QuickTest, false);
}

void CommandInterpreter::pr(const std::string &cmd)
{
    const std::int16_t test = wholeNumber(cmd);
    const auto recordText = [this](std::int16_t t) {
        return "Record for test " + std::to_string(t) + ": " +
               numberText(roundHalfEven(m_console.records.get(t), 3), m_console.decimalSeparator());
    };
    if (test == 0) {
        for (std::int16_t t = FirstTest; t <= LastTest; ++t)
            if (m_console.records.get(t) != 0)
                print(recordText(t) + " seconds");
        if (!m_console.records.any())
            print("No current records set");
    } else if (isTestNumber(test)) {
        print(m_console.records.get(test) == 0 ? "No record set" : recordText(test));
    } else {
        print("Invalid Test");
    }
}

void CommandInterpreter::ft(const std::string &cmd)
{
    const std::int16_t count = wholeNumber(cmd);
    if (count < 1 || count > MostThreads) {
        print("Invalid count");
        return;
    }
    m_console.Threads = count;
    print("Thread count set to " + std::to_string(count));
    // A best time only means something for the thread count it was made with.
    m_console.records.clear();
}

void CommandInterpreter::st(const std::string &cmd)
{
    const std::int16_t test = wholeNumber(cmd);
    if (isTestNumber(test))
        m_console.StartTest(test, false);
    else
        print("Invalid test");
}

void CommandInterpreter::exit(const std::string &)
{
    m_console.Form_Unload();
}

void CommandInterpreter::help(const std::string &)
{
    for (const std::string &line : helpText())
        print(line);
}

} // namespace tarvik
