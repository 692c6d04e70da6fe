#pragma once

#include <string>

namespace tarvik {

class frmMain;

// Puts the library `file` that the program carries among its resources into
// the system folder and makes it executable, printing each step. For
// "cpuz141.exe", the report helper, it then writes the helper's settings
// file cpuz.ini beside it and shows the hardware summary again, also when
// the helper was there already.
//
// True when this call installed the library. When it did not, the console's
// lastError says why: "Library already exists", "Library not found." or the
// file error, and that reason is printed.
bool install(frmMain &console, const std::string &file);

} // namespace tarvik
