#include "libraries/library_commands.h"

#include "console/command_line.h"
#include "console/frm_main.h"
#include "libraries/clean_up.h"
#include "libraries/library_installer.h"

namespace tarvik {

std::vector<ConsoleCommand> libraryCommands(frmMain &console)
{
    return {
        {"install",
         [&console](const std::string &cmd) {
             const InstallOutcome outcome = install(console, command_line::trimmedArgument(cmd));
             if (!outcome.refusal.empty())
                 console.lastError = QString::fromStdString(outcome.refusal);
         }},
        {"cleanup", [&console](const std::string &) { CleanUp(console); }},
    };
}

} // namespace tarvik
