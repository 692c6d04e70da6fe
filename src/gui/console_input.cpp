#include "gui/console_input.h"

#include "console/frm_main.h"

#include <QLineEdit>

namespace tarvik::gui {

namespace {
constexpr int EnterKey = 13;
} // namespace

void enterConsoleLine(frmMain &console, const QString &line)
{
    console.inputField()->setText(line);
    console.txtConsole_KeyDown(EnterKey, 0);
}

} // namespace tarvik::gui
