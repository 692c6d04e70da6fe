#pragma once

#include <string>

namespace tarvik {

// What the installer and the clean-up need from the console: a line printed,
// a Yes/No question, the system folder's libraries, the stored settings and
// the hardware summary shown again after the report helper is installed.
class LibraryConsole {
public:
    virtual ~LibraryConsole() = default;

    virtual void PrintLn(const std::string &message) = 0;
    // A box in the window, a line in the terminal.
    virtual bool askYesNo(const std::string &title, const std::string &question) = 0;
    virtual bool libraryExists(const std::string &file) const = 0;
    // The path of `file` directly in the system folder, as the file system's bytes.
    virtual std::string libraryPath(const std::string &file) const = 0;
    // A stored setting's value, "" when it is not set; and its removal.
    virtual std::string readSetting(const std::string &key) const = 0;
    virtual void removeSetting(const std::string &key) = 0;
    // Runs the report helper and prints the hardware summary (GetCPUz).
    virtual void showHardwareSummary() = 0;
};

} // namespace tarvik
