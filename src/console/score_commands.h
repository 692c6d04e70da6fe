#pragma once

#include "console/command_interpreter.h"

#include <vector>

namespace tarvik {

class frmMain;

// The console's "save" and "load" commands: a record with the machine it was
// made on, to and from a score file.
std::vector<ConsoleCommand> scoreCommands(frmMain &console);

} // namespace tarvik
