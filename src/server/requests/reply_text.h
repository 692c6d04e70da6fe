#pragma once

#include "protocol/reply_lines.h"
#include "requests/stored_result.h"
#include "requests/stored_submission.h"
#include "requests/submission_check.h"

#include <cstdint>
#include <string>
#include <vector>

// The texts the TCP side answers with, made of the protocol's reply lines.
namespace tarvik::server::replies {

// The texts that need nothing of the server's own.
using tarvik::replies::busy;
using tarvik::replies::databaseFull;
using tarvik::replies::databaseSilent;
using tarvik::replies::databaseUnavailable;
using tarvik::replies::noSuchResult;
using tarvik::replies::refused;
using tarvik::replies::tooManySubmissions;

// The id line of each stored test (`stored` in the order of
// `checked.accepted`), then a verdict line for every test, refused ones
// included, and the management address (`webAddress` and its path) when the
// submission was stored; a line saying that nothing was sent when it holds
// no test.
std::string submitted(const CheckedSubmission &checked, const StoredSubmission &stored, const std::string &webAddress);

// A readable text of one result, one "Label: value" line each.
std::string result(const StoredResult &stored);

} // namespace tarvik::server::replies
