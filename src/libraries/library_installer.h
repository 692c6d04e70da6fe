#pragma once

#include <string>

#include "libraries/library_console.h"

namespace tarvik {

// Puts the library `file` that the program carries among its resources into
// the system folder and makes it executable, printing each step. For
// "cpuz141.exe", the report helper, it then writes the helper's settings
// file cpuz.ini beside it and shows the hardware summary again, also when
// the helper was there already.
//
// `installed` is true when this call installed the library. `refusal` is the
// last reason printed for not installing it or for a failure after it:
// "Library already exists", "Library not found." or the file error; empty
// when there was none. The console keeps it as its lastError.
struct InstallOutcome {
    bool installed = false;
    std::string refusal;
};
InstallOutcome install(LibraryConsole &console, const std::string &file);

} // namespace tarvik
