#pragma once

#include <stdexcept>
#include <string>

namespace tarvik {

// The one error type of the program. It carries the short description that
// the console prints after "Error occured: " and that the score-file loader
// returns as its result text.
class Fault : public std::runtime_error {
public:
    explicit Fault(const std::string &description) : std::runtime_error(description) {}
    std::string description() const { return what(); }
};

// The descriptions the program uses, so that every part reports the same text.
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
} // namespace faults

} // namespace tarvik
