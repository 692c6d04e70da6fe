#include "gui/gui_commands.h"

#include "console/frm_main.h"
#include "gui/frm_gui.h"

namespace tarvik {

namespace {

void openFrontEnd(frmMain &console)
{
    if (console.launchOptions().terminal) {
        console.PrintLn(QStringLiteral("The graphical front end needs a display."));
        return;
    }
    auto *window = new gui::frmGUI;
    window->show();
    window->setParent(console);
    console.hide();
}

} // namespace

std::vector<ConsoleCommand> guiCommands(frmMain &console)
{
    return {
        {"gui", [&console](const std::string &) { openFrontEnd(console); }},
    };
}

} // namespace tarvik
