#pragma once

#include "hardware/hardware_fields.h"
#include "records/records.h"

#include <cstdint>
#include <string>

namespace tarvik::submit {

// What the submission needs from the console it runs in.
class SubmitConsole {
public:
    virtual ~SubmitConsole() = default;

    virtual void PrintLn(const std::string &line) = 0;
    virtual char decimalSeparator() const = 0;

    // What is sent.
    virtual const Records &records() const = 0;
    virtual SubmissionIds &submissionIds() = 0;
    virtual const HardwareFields &hardware() const = 0;
    virtual std::int16_t threads() const = 0;
    // Keeps the submitter's name for the next submission and the next run.
    virtual void saveUserName(const std::string &name) = 0;

    // Submissions go to the browser instead of the direct connection.
    virtual bool subHttp() const = 0;
    virtual void setSubHttp(bool value) = 0;
    // The stored marker that a direct connection failed once on this machine.
    virtual bool directConnectionFailed() const = 0;
    virtual void rememberDirectConnectionFailed() = 0;

    // The graphical front end: whether the command came from it, a message
    // box it shows, and the way back to it, either as the console's next
    // command line or at once.
    virtual bool revertToGui() const = 0;
    virtual void showMessage(const std::string &text) = 0;
    virtual void submitGuiLine() = 0;
    virtual void runGui() = 0;
};

} // namespace tarvik::submit
