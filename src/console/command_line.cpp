#include "console/command_line.h"

#include "foundation/blanks.h"
#include "foundation/numbers.h"

#include <cctype>
#include <cmath>

namespace tarvik::command_line {

namespace {
bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
} // namespace

bool isCommand(std::string_view word, std::string_view cmd)
{
    if (sameIgnoringCase(word, cmd))
        return true;
    return cmd.size() > word.size() && sameIgnoringCase(word, cmd.substr(0, word.size())) && cmd[word.size()] == ' ';
}

std::string argument(std::string_view cmd)
{
    const auto blank = cmd.find(' ');
    return std::string(blank == std::string_view::npos ? cmd : cmd.substr(blank));
}

std::string trimmedArgument(std::string_view cmd)
{
    return trimBlanks(argument(cmd));
}

std::int16_t wholeNumber(std::string_view cmd)
{
    return numbers::toInt16(numbers::leadingNumber(argument(cmd)));
}

std::vector<std::string> splitAtBlanks(std::string_view text)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto blank = text.find(' ', start);
        pieces.emplace_back(text.substr(start, blank - start));
        if (blank == std::string_view::npos)
            return pieces;
        start = blank + 1;
    }
}

const std::vector<std::string> &helpText()
{
    static const std::vector<std::string> lines = {
        "tserver <address>",
        " - Set Tarvik server to <address>",
        "hserver <address>",
        " - Set hwbot submit string to <address>",
        "gettserver",
        " - Gets the Tarvik server",
        "gethserver",
        " - Gets the hwbot submit string",
        "lt",
        " - Lists the test selection menu",
        "subhttp",
        " - Toggles between http submission and standard submission",
        "qt",
        " - Debug Mode test - very quick",
        "load <path>",
        " - Load score from <path>",
        "save <path> <test number>",
        " - Save score <test number> to <path>",
        "Test number denoted by log(2,(<number of sqrts>/1024))-9.",
        "Enter 6 for 32M, 11 for 1024M.",
        "exit",
        " - Quits Tarvik",
        "refhw",
        " - Refresh CPUz hardware information",
        "refcpuz",
        " - Refresh hardware information",
        "st <test>",
        " - Begins test <test>",
        "ft <count>",
        " - Force thread count to <count>",
        "pr [<test>]",
        " - List record for <test>, or for all tests.",
        "copy",
        " - Copies current console to the clipboard",
        "send",
        " - Submit your scores to our server",
        "install <library>",
        " - Install's <library> onto your system",
        " - Available options:",
        "   - cpuz141.exe",
        "gui",
        " - Show the graphical user interface",
        "get <id>",
        " - Gets result <id> from the server",
        "tc",
        " - Toggles cache on/off",
        "   ON uses alot of memory (too much for the large tests on systems with low memory but stresses the "
        "memory as well.",
        "cleanup",
        " - Clears all Tarvik settings and libraries.",
    };
    return lines;
}

std::string testMenuLine(int test)
{
    return std::to_string(test) + ".) " + numbers::numberText(std::ldexp(1.0, test + 9) / 1024) + "M";
}

} // namespace tarvik::command_line
