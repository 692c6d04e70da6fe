#pragma once

#include "console/command_interpreter.h"

#include <vector>

namespace tarvik {

class GuiConsole;

// "gui": hands over from the console to a new front-end window. In the
// terminal there is no window to hand over to; it says so.
std::vector<ConsoleCommand> guiCommands(GuiConsole &console);

} // namespace tarvik
