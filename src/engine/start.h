#pragma once

namespace tarvik {

struct LaunchOptions;

// The entry routine, run at process start and again at the start of every
// worker thread. Where no console window of the product exists yet, this is
// the application start: it loads the console, whose start-up never returns.
// Otherwise it only prepares the thread. A second launch of the program while
// another runs says so on standard error and returns.
void Main(const LaunchOptions &options);
void Main();

// Self-registration of the worker server. Worker objects come from an
// in-process registry on this platform, so there is nothing to register.
void RegisterServer();
void UnregisterServer();

} // namespace tarvik
