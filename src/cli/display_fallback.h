#pragma once

namespace tarvik {
struct LaunchOptions;
}

// The choice between the window and the terminal console. The window needs a
// display; one that is named but cannot be reached makes the console run in
// the terminal instead, with one line on standard error saying why.
namespace tarvik::cli {

// Before the application object exists: the console runs in the terminal
// when asked to or when no display is named; otherwise the window system
// comes first and a platform without a display stands by.
void chooseDisplay(LaunchOptions &options);

// After the application object exists: when only the stand-by came up, the
// named display was unreachable, and the console goes to the terminal.
void confirmDisplay(LaunchOptions &options);

} // namespace tarvik::cli
