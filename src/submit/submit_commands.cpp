#include "submit/submit_commands.h"

#include "console/console_submission.h"

#include "console/command_line.h"
#include "console/frm_main.h"
#include "foundation/numbers.h"
#include "submit/result_client.h"

namespace tarvik {

namespace {

using submit::ServerAddress;

// The name is asked for only while none is stored; the description always.
void send(frmMain &console)
{
    std::string name = console.stor_name.toStdString();
    if (name.empty()) {
        console.PrintLn("Please enter a name to submit your score under:");
        name = console.getInput().toStdString();
    }
    console.PrintLn("Please enter a brief description to submit your score under:");
    const std::string description = console.getInput().toStdString();
    console.PrintLn(console.submission().client().SendResults(name, description, false));
}

// An id with a fraction that the locale would read differently from the
// leading-number rule is refused rather than looked up as another id.
void get(frmMain &console, const std::string &cmd)
{
    const char separator = console.decimalSeparator();
    const std::string id = numbers::numberText(numbers::leadingNumber(command_line::argument(cmd)), separator);
    if (numbers::leadingNumber(id) != numbers::strictNumber(id, separator)) {
        console.PrintLn("Invalid ID");
        return;
    }
    console.PrintLn(console.submission().client().GetResult(id));
}

void tserver(frmMain &console, const std::string &cmd)
{
    // "tserver", a blank and an address.
    const std::optional<ServerAddress> address =
        cmd.size() > 8 ? submit::parseServerAddress(command_line::trimmedArgument(cmd)) : std::nullopt;
    if (!address) {
        console.PrintLn("No server set, syntax: tserver <server>[:<port>[:<web port>]]");
        return;
    }
    console.submission().client().setServer(*address);
    console.PrintLn("Server set to: " + submit::addressText(*address));
}

void gettserver(frmMain &console)
{
    console.PrintLn(submit::addressText(console.submission().client().server()));
}

} // namespace

std::vector<ConsoleCommand> submitCommands(frmMain &console)
{
    return {
        {"tserver", [&console](const std::string &cmd) { tserver(console, cmd); }},
        {"gettserver", [&console](const std::string &) { gettserver(console); }},
        {"send", [&console](const std::string &) { send(console); }},
        {"get", [&console](const std::string &cmd) { get(console, cmd); }},
    };
}

} // namespace tarvik
