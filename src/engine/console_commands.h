#pragma once

namespace tarvik {

class frmMain;

// Gives the console every subsystem's command table. The program and the
// tests that build a console both call this, so their consoles know the same
// commands.
void addConsoleCommands(frmMain &console);

} // namespace tarvik
