#include "libraries/library_commands.h"

#include "console/command_line.h"
#include "console/frm_main.h"
#include "libraries/clean_up.h"

namespace tarvik {

std::vector<ConsoleCommand> libraryCommands(frmMain &console)
{
    return {
        {"install", [&console](const std::string &cmd) { console.installLibrary(command_line::trimmedArgument(cmd)); }},
        {"cleanup", [&console](const std::string &) { CleanUp(console); }},
    };
}

} // namespace tarvik
