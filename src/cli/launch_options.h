#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tarvik {

struct CompletedRun;
class SessionConsole;

// How the program was started: decided by the command line and the display,
// handed to the console when it is created.
struct LaunchOptions {
    bool terminal = false; // the console runs on standard input and output
    QString commandLine;   // a score file to open, or empty
    // Lines the terminal console runs in place of standard input (a batch run).
    QStringList scriptedInput;
    // Asked for further lines each time the scripted ones have all been
    // run, for a batch run that decides as it goes; none ends the input.
    std::function<QStringList()> moreScriptedInput;
    // Called once the console exists, before its start-up, so that the
    // program's edges (results file, history, signals) can follow it.
    std::function<void(SessionConsole &)> consoleCreated;
    // Called on the console's thread before the clock of a run that is not
    // quiet starts, and after every test run that completed.
    std::function<void()> runStarting;
    std::function<void(const CompletedRun &)> runCompleted;
};

} // namespace tarvik
