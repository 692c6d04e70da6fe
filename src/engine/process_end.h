#pragma once

#include <functional>

namespace tarvik {

// Work that must be done however the process ends: writing out the results
// file, giving the terminal its settings back. A task gets the exit status
// the process is about to end with and returns the one to end with.
using ProcessEndTask = std::function<int(int exitStatus)>;

// Adds a task that endProcess runs; tasks run in the order they were added.
void atProcessEnd(ProcessEndTask task);

// Ends the whole process at once: the tasks above run once, on the calling
// thread, standard output is flushed, and nothing else runs (no window
// events, no waiting for workers, no destructors).
[[noreturn]] void endProcess(int exitCode);

} // namespace tarvik
