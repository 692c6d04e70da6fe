#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a console line is split into its command word and argument.
namespace tarvik::command_line {

// True when `cmd` is `word`, or starts with `word` and one blank; letter
// case is ignored. "ST 6" and "st" match "st"; "stx", "st6" and " st" do not.
bool isCommand(std::string_view word, std::string_view cmd);

// From the first blank to the end, that blank included; without a blank the
// whole line, so a command given alone reads its own name as argument.
std::string argument(std::string_view cmd);
// The argument without blanks around it.
std::string trimmedArgument(std::string_view cmd);
// The argument's leading number as a 16-bit whole number (ties to even);
// throws Fault("Overflow") beyond -32768..32767.
std::int16_t wholeNumber(std::string_view cmd);
// `text` split at every single blank; two blanks in a row give an empty piece.
std::vector<std::string> splitAtBlanks(std::string_view text);

// The help text, line by line.
const std::vector<std::string> &helpText();
// The menu line of test i: "6.) 32M".
std::string testMenuLine(int test);

} // namespace tarvik::command_line
