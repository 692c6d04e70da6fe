#pragma once

namespace tarvik {

// Ends the whole process at once: standard output is flushed, nothing else
// runs (no window events, no waiting for workers, no destructors).
[[noreturn]] void endProcess(int exitCode);

} // namespace tarvik
