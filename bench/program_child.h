#pragma once

#include <string>

namespace tarvik::bench {

// One run of the real program as a child process, in the terminal, with
// `input` piped to its standard input.
struct ChildRun {
    long long peakResidentBytes = 0; // the child's own high-water mark
    std::string output;              // standard output and error
    bool exitedCleanly = false;      // ended by itself with exit code 0
};

// Runs the program at `binary` with "--console" in a private environment (its
// own settings, system folder and instance lock, so it neither touches the
// user's files nor collides with a running copy) and waits for its end.
// Throws std::runtime_error when the child cannot be started or waited for.
ChildRun runProgram(const std::string &binary, const std::string &input);

} // namespace tarvik::bench
