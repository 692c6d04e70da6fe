#include "engine/console_commands.h"

#include "console/frm_main.h"
#include "console/score_commands.h"
#include "gui/gui_commands.h"
#include "hardware/hardware_commands.h"
#include "libraries/library_commands.h"
#include "submit/submit_commands.h"

namespace tarvik {

void addConsoleCommands(frmMain &console)
{
    console.addCommands(scoreCommands(console));
    console.addCommands(hardwareCommands(console));
    console.addCommands(libraryCommands(console));
    console.addCommands(submitCommands(console));
    console.addCommands(guiCommands(console));
}

} // namespace tarvik
