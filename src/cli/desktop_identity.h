#pragma once

namespace tarvik::cli {

// The program's icon on its windows, and the name of its desktop file, by
// which the desktop groups the windows with the installed launcher.
void showDesktopIdentity();

} // namespace tarvik::cli
