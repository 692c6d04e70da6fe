#pragma once

#include "console/command_interpreter.h"

#include <string>
#include <vector>

namespace tarvik {

class frmMain;

// "install <library>" and "cleanup".
std::vector<ConsoleCommand> libraryCommands(frmMain &console);

// Installs a library the program carries, as "install" does: a refusal is
// kept in the console's lastError. True when the library was installed.
bool installLibrary(frmMain &console, const std::string &file);

} // namespace tarvik
