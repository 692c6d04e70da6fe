#pragma once

#include "console/message_box.h"
#include "hardware/hardware_fields.h"

#include <QString>

#include <cstdint>
#include <string>

namespace tarvik {

class ConsoleSubmission;

// What the front end needs from the console it stands in front of: the
// state it shows, the operations it calls, the console window it hands over
// to, and the program's end when its window is closed.
class GuiConsole {
public:
    virtual ~GuiConsole() = default;

    // What the front end shows.
    virtual double bestTime(std::int16_t test) const = 0;
    virtual std::int16_t threadCount() const = 0;
    virtual const HardwareFields &machine() const = 0;
    virtual QString submitterName() const = 0;
    virtual char decimalSeparator() const = 0;
    virtual bool libraryExists(const std::string &file) const = 0;
    virtual QString hwbotAddress() const = 0;
    // The score file named on the command line, "" when there is none.
    virtual QString scoreFileToShow() const = 0;
    // The console runs in the terminal, where there is no window to show.
    virtual bool inTerminal() const = 0;

    // Operations: each returns the text to show the user, never a fault.
    virtual std::string SaveScore(const std::string &path, std::int16_t test) = 0;
    virtual std::string LoadScore(const std::string &path) = 0;
    // Installs a library the program carries; a refusal is kept in
    // installRefusal(). True when the library was installed.
    virtual bool installLibrary(const std::string &file) = 0;
    virtual QString installRefusal() const = 0;
    virtual ConsoleSubmission &submission() = 0;
    virtual MessageBox &messages() = 0;
    virtual void PrintLn(const std::string &message) = 0;

    // The console window and its command loop.
    virtual void showConsole() = 0;
    virtual void hideConsole() = 0;
    virtual void toggleConsole() = 0;
    // Prints `text` as it is, with no line end of its own.
    virtual void printText(const QString &text) = 0;
    virtual QString getInput() = 0;
    // Once the running command has ended, the console opens a new front end.
    virtual void returnToFrontEnd() = 0;
    // The next command comes from the console itself: the console keeps the
    // user when it has ended, whatever the front end asked for before.
    virtual void stayInConsole() = 0;
    // Types `line` into the console's input field and presses Enter, as a
    // user would. The console's command loop, waiting for a line, runs it
    // once the caller has returned; the loop is never entered from here.
    virtual void enterLine(const QString &line) = 0;

    // Ends the program with `exitStatus`, as the console's own end does.
    [[noreturn]] virtual void endProgram(int exitStatus) = 0;
};

} // namespace tarvik
