#pragma once

#include "console/command_interpreter.h"

#include <vector>

namespace tarvik {

class frmMain;

// "install <library>" and "cleanup".
std::vector<ConsoleCommand> libraryCommands(frmMain &console);

} // namespace tarvik
