#pragma once

#include "console/command_interpreter.h"

#include <vector>

namespace tarvik {

class frmMain;

// "refcpuz" (the hardware summary again) and "refhw" (the processor scan
// again, which also sets the thread count).
std::vector<ConsoleCommand> hardwareCommands(frmMain &console);

} // namespace tarvik
