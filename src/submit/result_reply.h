#pragma once

#include "records/records.h"

#include <string>

// Reading the result server's reply to a submission.
namespace tarvik::submit {

// The text after the first `start` in `text`, up to the first `end` after
// it, or up to the end of `text` when no `end` follows; empty when `start`
// does not occur.
std::string TextBetween(const std::string &text, const std::string &start, const std::string &end);

// Stores the id of every line "<test> - result id = <id>" CR LF of `reply`
// under its test. A line counts only at the start of the reply or right
// after CR LF: "1 - result id = " also occurs inside "11 - result id = ".
// An id of 0, or one that does not fit 32 bits, leaves the test's entry as
// it was.
void storeResultIds(const std::string &reply, SubmissionIds &ids);

// The reply as the console may show it: a control byte other than tab, line
// feed and a carriage return before a line feed, and a C1 control written
// in UTF-8, becomes a visible escape ("\x1B", "\u009B"), so that a text a
// submitter stored on the server can neither move nor retitle the terminal
// of whoever looks it up.
std::string visibleText(const std::string &reply);

} // namespace tarvik::submit
