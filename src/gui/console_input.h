#pragma once

#include <QString>

namespace tarvik {
class frmMain;
}

namespace tarvik::gui {

// Hands a command line to the console as a user would: the line goes into
// the console's input field and Enter is pressed on it. The console's
// command loop, waiting for a line, runs it once the caller has returned;
// the loop is never entered from here.
void enterConsoleLine(frmMain &console, const QString &line);

} // namespace tarvik::gui
