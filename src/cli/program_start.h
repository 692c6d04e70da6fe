#pragma once

#include "cli/program_options.h"
#include "cli/launch_options.h"

#include <optional>

namespace tarvik::cli {

// The first steps of the program, before any window: the command line and
// the requests that end the program at once.
struct StartDecision {
    std::optional<int> exitStatus; // set when the program ends now
    ProgramOptions options;
};

// Answers --help, --version, --history and usage errors, and checks that a
// score file named on the command line can be read; each of these ends the
// program with the status returned. Otherwise the program goes on.
StartDecision readCommandLine(int argc, char **argv);

// How the console starts for these options: a batch run becomes the lines
// it would type.
LaunchOptions launchOptions(const ProgramOptions &options);

// The console line that runs test `test` once.
QString batchRunLine(int test);

// The program's version, as --version and the results file give it.
QString programVersion();

} // namespace tarvik::cli
