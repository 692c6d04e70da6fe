#pragma once

#include <QString>

#include <optional>

namespace tarvik::cli {

// What the command line asks for.
struct ProgramOptions {
    bool console = false;       // run the console in the terminal
    QString scoreFile;          // a score file to open, or empty
    std::optional<int> runTest; // a batch run of this test
    std::optional<int> threads; // the batch run's thread count
    bool quick = false;         // the batch run in quick mode
    int repeat = 1;             // how often the batch run runs its test
    bool repeatAuto = false;    // until the times agree or the time budget is spent
    double maxTimeSeconds = 60; // the time budget of an automatic repeat
    QString jsonFile;           // where to write the results at the end
    bool history = false;       // print the results history and end
};

enum class Request { Start, Help, Version, UsageError };

struct ParsedCommandLine {
    Request request = Request::Start;
    ProgramOptions options;
    QString error; // for a usage error: what is wrong
};

// Reads the arguments (the program's name first). Numbers out of range and
// options that do not fit together are usage errors.
ParsedCommandLine parseCommandLine(const QStringList &arguments);

// The text of --help; it needs the application object to exist.
QString helpText();

} // namespace tarvik::cli
