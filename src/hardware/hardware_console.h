#pragma once

#include "hardware/hardware_fields.h"

#include <string>

namespace tarvik {

// What the processor scan and the hardware summary need from the console:
// a line printed, pending events processed, the decimal separator, the
// hardware fields they fill, and where the installed libraries live.
class HardwareConsole {
public:
    virtual ~HardwareConsole() = default;

    virtual void PrintLn(const std::string &message) = 0;
    virtual void processEvents() = 0;
    virtual char decimalSeparator() const = 0;
    // The console's machine description, filled by the scan and the summary.
    virtual HardwareFields &hardwareFields() = 0;
    // Whether `file` is installed in the system folder.
    virtual bool libraryExists(const std::string &file) const = 0;
    // The folder of the installed libraries, as the report runner is given it.
    virtual std::string systemFolder() const = 0;
};

} // namespace tarvik
