#pragma once

#include "console/command_interpreter.h"

#include <vector>

namespace tarvik {

class frmMain;

// "send", "get <id>", "tserver <address>" and "gettserver".
std::vector<ConsoleCommand> submitCommands(frmMain &console);

} // namespace tarvik
