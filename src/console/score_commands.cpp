#include "console/score_commands.h"

#include "console/command_line.h"
#include "console/frm_main.h"
#include "foundation/numbers.h"

namespace tarvik {

namespace {

using command_line::splitAtBlanks;
using command_line::trimmedArgument;

void printSaveSyntax(frmMain &console)
{
    console.PrintLn("Syntax: save path testnumber");
    console.PrintLn("Test number denoted by log(2,(<number of sqrts>/1024))-9.");
    console.PrintLn("Enter 6 for 32M, 11 for 1024M.");
}

// "save <path> <test number>": a path cannot hold blanks, since the pieces
// are split at every blank; the test number is read in the user's locale.
void save(frmMain &console, const std::string &cmd)
{
    const std::vector<std::string> pieces = splitAtBlanks(trimmedArgument(cmd));
    if (pieces.size() < 2) {
        printSaveSyntax(console);
        return;
    }
    const std::int16_t test = numbers::toInt16(numbers::strictNumber(pieces[1], console.decimalSeparator()));
    console.PrintLn(console.SaveScore(pieces[0], test));
}

void load(frmMain &console, const std::string &cmd)
{
    console.PrintLn(console.LoadScore(trimmedArgument(cmd)));
}

} // namespace

std::vector<ConsoleCommand> scoreCommands(frmMain &console)
{
    return {
        {"load", [&console](const std::string &cmd) { load(console, cmd); }},
        {"save", [&console](const std::string &cmd) { save(console, cmd); }},
    };
}

} // namespace tarvik
