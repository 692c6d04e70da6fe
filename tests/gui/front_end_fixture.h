#pragma once

#include "console/command_interpreter.h"
#include "console/frm_main.h"
#include "console/message_box.h"
#include "engine/console_commands.h"
#include "gui/frm_gui.h"
#include "gui/gui_commands.h"
#include "hardware_texts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tarvik::testing {

// Keeps every message the program shows, and answers questions with No.
class RecordedBoxes : public MessageBox {
public:
    explicit RecordedBoxes(QStringList &shown) : m_shown(shown) {}
    bool askYesNo(const QString &title, const QString &question) override
    {
        m_shown << title + ": " + question;
        return false;
    }
    void inform(const QString &title, const QString &text, BoxIcon) override { m_shown << title + ": " + text; }

private:
    QStringList &m_shown;
};

// The visible front-end window, or null.
inline gui::frmGUI *visibleFrontEnd()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<gui::frmGUI *>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

// A console in a window with its settings and system folder private to the
// test, and the command words of the console's loop, which the tests play
// themselves: they run one line, then read the next as the loop does.
class FrontEndTest : public ::testing::Test {
protected:
    FrontEndTest()
    {
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        qputenv("TARVIK_SYSTEM_DIR", systemFolder().toUtf8());
        startConsole({});
    }

    // A console as the program starts it, with `scoreFile` on the command line.
    void startConsole(const QString &scoreFile)
    {
        commands.reset();
        LaunchOptions options;
        options.commandLine = scoreFile;
        console = std::make_unique<frmMain>(options);
        addConsoleCommands(*console);
        console->messageBox = std::make_unique<RecordedBoxes>(boxes);
        commands = std::make_unique<CommandInterpreter>(*console);
        commands->add(guiCommands(*console));
    }

    ~FrontEndTest() override
    {
        // Found first, deleted after: a window takes its dialogs with it.
        QList<gui::frmGUI *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<gui::frmGUI *>(widget))
                windows << window;
        qDeleteAll(windows);
    }

    // The console's "gui" command: a new window in front of the console.
    gui::frmGUI &openFrontEnd()
    {
        commands->run("gui");
        gui::frmGUI *window = visibleFrontEnd();
        if (!window)
            throw std::runtime_error("no front end shown");
        return *window;
    }

    // Does `action` while the console waits for a line, and returns the line
    // the wait ends with, as the command loop would read it.
    QString lineEnteredBy(const std::function<void()> &action)
    {
        QTimer::singleShot(0, console.get(), action);
        return console->getInput();
    }

    // A machine of its own, so that a score can be saved and loaded.
    void useTestMachine()
    {
        console->hw.hwbotcpu = "Test CPU T-3000 @ 3.00GHz";
        console->hw.hwbot_send_cpu = "Test CPU T-3000";
        console->hw.hwbotcpuclk = "3000";
        console->hw.CPU_info = cpuInfo("Test CPU T-3000", "3000", "7");
        console->hw.cpu_string = hardwareLines({"Test CPU T-3000", "3000 MHz"});
        console->Threads = 7;
    }

    QString systemFolder() const { return m_home.path() + "/system"; }
    void installReportHelperFile() const
    {
        QDir().mkpath(systemFolder());
        QFile file(systemFolder() + "/cpuz141.exe");
        file.open(QIODevice::WriteOnly);
    }
    QString homePath() const { return m_home.path(); }

    QTemporaryDir m_home;
    QStringList boxes;
    std::unique_ptr<frmMain> console;
    std::unique_ptr<CommandInterpreter> commands;
};

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

} // namespace tarvik::testing
