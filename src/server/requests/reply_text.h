#pragma once

#include "protocol/reply_lines.h"
#include "requests/stored_result.h"
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

// One line per stored test (`ids` in the order of `checked.accepted`), then
// one per refused test, or a line saying that nothing was sent.
std::string submitted(const CheckedSubmission &checked, const std::vector<std::int64_t> &ids);

// A readable text of one result, one "Label: value" line each.
std::string result(const StoredResult &stored);

} // namespace tarvik::server::replies
