#include "gui/gui_commands.h"

#include "gui/frm_gui.h"
#include "gui/gui_console.h"

namespace tarvik {

namespace {

void openFrontEnd(GuiConsole &console)
{
    if (console.inTerminal()) {
        console.PrintLn("The graphical front end needs a display.");
        return;
    }
    auto *window = new gui::frmGUI;
    window->show();
    window->setParent(console);
    console.hideConsole();
}

} // namespace

std::vector<ConsoleCommand> guiCommands(GuiConsole &console)
{
    return {
        {"gui", [&console](const std::string &) { openFrontEnd(console); }},
    };
}

} // namespace tarvik
