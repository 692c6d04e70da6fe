#pragma once

#include <string>

class QThread;

namespace tarvik {

struct HardwareFields;

// What the program's edges (results file, history, signals) see of the
// console: its hardware facts and decimal separator for the records they
// write, and a way to end the session in order.
class SessionConsole {
public:
    virtual void PrintLn(const std::string &message) = 0;
    virtual char decimalSeparator() const = 0;
    virtual HardwareFields &hardwareFields() = 0;
    virtual bool testRunning() const = 0;
    // Ends the session as the exit command does.
    [[noreturn]] virtual void Form_Unload() = 0;
    // The thread the console's fields may be read on.
    virtual QThread *consoleThread() const = 0;

protected:
    ~SessionConsole() = default;
};

} // namespace tarvik
