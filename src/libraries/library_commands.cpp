#include "libraries/library_commands.h"

#include "console/command_line.h"
#include "console/frm_main.h"
#include "libraries/clean_up.h"
#include "libraries/library_installer.h"

namespace tarvik {

bool installLibrary(frmMain &console, const std::string &file)
{
    const InstallOutcome outcome = install(console, file);
    if (!outcome.refusal.empty())
        console.lastError = QString::fromStdString(outcome.refusal);
    return outcome.installed;
}

std::vector<ConsoleCommand> libraryCommands(frmMain &console)
{
    return {
        {"install",
         [&console](const std::string &cmd) { installLibrary(console, command_line::trimmedArgument(cmd)); }},
        {"cleanup", [&console](const std::string &) { CleanUp(console); }},
    };
}

} // namespace tarvik
