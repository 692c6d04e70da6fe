#pragma once

#include "libraries/library_console.h"

namespace tarvik {

// Removes the program's stored settings and the libraries it or its earlier
// versions put into the system folder, printing each removal. The Winsock
// control, which other software may share, goes only when the user says
// Yes. Any failure is printed as its bare description and ends the
// clean-up there; what was removed before stays removed. The report
// helper's settings file cpuz.ini is kept.
void CleanUp(LibraryConsole &console);

} // namespace tarvik
