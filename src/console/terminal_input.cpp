#include "console/terminal_input.h"

#include "console/line_editor.h"
#include "console/stream_input.h"

#include <unistd.h>

namespace tarvik {

std::unique_ptr<TerminalInput> terminalInput(const QStringList &script)
{
    if (!script.isEmpty())
        return std::make_unique<ScriptedInput>(script);
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO))
        return std::make_unique<LineEditor>();
    return std::make_unique<StreamInput>();
}

} // namespace tarvik
