// How a console line is split into its command and argument, and the
// test-number rule of st, ft and pr.

#include "console/command_line.h"
#include "foundation/fault.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace tarvik;
using namespace tarvik::command_line;

namespace {

std::string joinedAtBlanks(const std::vector<std::string> &pieces)
{
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        text += (i ? " " : "") + pieces[i];
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char *>(data), size);
    for (const char *word : {"st", "save", "hserver"}) {
        if (isCommand(word, line))
            require(line.size() == std::string_view(word).size() || line[std::string_view(word).size()] == ' ',
                    "a command is its word alone or followed by a blank");
    }
    const std::string argument = command_line::argument(line);
    require(line.ends_with(argument), "the argument is the line's end");
    const std::string trimmed = trimmedArgument(line);
    require(!trimmed.starts_with(' ') && !trimmed.ends_with(' '), "a trimmed argument has no blanks around it");
    require(joinedAtBlanks(splitAtBlanks(trimmed)) == trimmed, "the pieces join back to the text");
    try {
        wholeNumber(line);
    } catch (const Fault &) {
    }
    return 0;
}
