#include "libraries/library_commands.h"

#include "console/command_line.h"
#include "libraries/clean_up.h"
#include "libraries/library_installer.h"

namespace tarvik {

std::vector<ConsoleCommand> libraryCommands(frmMain &console)
{
    return {
        {"install", [&console](const std::string &cmd) { install(console, command_line::trimmedArgument(cmd)); }},
        {"cleanup", [&console](const std::string &) { CleanUp(console); }},
    };
}

} // namespace tarvik
