#pragma once

#include <stdexcept>
#include <string>

namespace tarvik {

// The one error type of the program. It carries the short description that
// the console prints after "Error occured: " and that the score-file loader
// returns as its result text; what() is that description alone.
//
// A fault may also carry its context: what was being done and on what (a
// path, a peer) and the operating system's error number. The console never
// prints them (its texts are fixed); logs and the result server can, through
// detail().
class Fault : public std::runtime_error {
public:
    explicit Fault(const std::string &description) : std::runtime_error(description) {}
    Fault(const std::string &description, std::string context, int systemError = 0)
        : std::runtime_error(description),
          m_context(std::move(context)),
          m_systemError(systemError)
    {
    }

    std::string description() const { return what(); }
    // What was being done, such as "reading /home/a/score.txt"; empty when unknown.
    const std::string &context() const { return m_context; }
    // The errno behind the fault; 0 when there is none.
    int systemError() const { return m_systemError; }
    // The description with its context and the system's text for the error,
    // for a log line: "Path not found (writing /x/y: No such file or directory)".
    std::string detail() const;

private:
    std::string m_context;
    int m_systemError = 0;
};

// Every description the program uses, so that every part reports the same text.
namespace faults {
inline constexpr const char *Overflow = "Overflow";
inline constexpr const char *TypeMismatch = "Type mismatch";
inline constexpr const char *SubscriptOutOfRange = "Subscript out of range";
inline constexpr const char *FileNotFound = "File not found";
inline constexpr const char *PermissionDenied = "Permission denied";
inline constexpr const char *InputPastEndOfFile = "Input past end of file";
inline constexpr const char *OutOfMemory = "Out of memory";
inline constexpr const char *DivisionByZero = "Division by zero";
inline constexpr const char *InvalidProcedureCall = "Invalid procedure call or argument";
inline constexpr const char *PathNotFound = "Path not found";
inline constexpr const char *DiskFull = "Disk full";
inline constexpr const char *BadFileName = "Bad file name";
inline constexpr const char *PathFileAccessError = "Path/File access error";
inline constexpr const char *DeviceIoError = "Device I/O error";
inline constexpr const char *OutOfStackSpace = "Out of stack space";
inline constexpr const char *TooManyIncludedFiles = "Too many included files";
inline constexpr const char *CannotCreateObject = "ActiveX component can't create object";
inline constexpr const char *LibraryNotFound = "Library not found.";
} // namespace faults

} // namespace tarvik
