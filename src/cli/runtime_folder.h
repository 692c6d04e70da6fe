#pragma once

namespace tarvik::cli {

// Without XDG_RUNTIME_DIR (a login without a session manager, a container)
// the program keeps its per-user files, such as the instance lock, in a
// private folder of its own in the temporary folder, as the desktop's own
// default would, and names it in XDG_RUNTIME_DIR so that nothing complains.
void provideRuntimeFolder();

} // namespace tarvik::cli
