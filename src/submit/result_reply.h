#pragma once

#include "records/records.h"

#include <string>

// Reading the result server's reply to a submission.
namespace tarvik::submit {

// Stores the id `reply` gives each test (replies::resultId) under the test;
// a test the reply gives no id leaves its entry as it was.
void storeResultIds(const std::string &reply, SubmissionIds &ids);

// The reply as the console may show it: a control byte other than tab, line
// feed and a carriage return before a line feed, and a C1 control written
// in UTF-8, becomes a visible escape ("\x1B", "\u009B"), so that a text a
// submitter stored on the server can neither move nor retitle the terminal
// of whoever looks it up.
std::string visibleText(const std::string &reply);

} // namespace tarvik::submit
