#pragma once

#include "requests/stored_result.h"
#include "requests/submission_check.h"

#include <cstdint>
#include <string>
#include <vector>

// The texts the TCP side answers with. Every line ends with CR LF; the
// program reads a stored test's id from a line that starts with the test
// number and " - result id = ".
namespace tarvik::server::replies {

// One line per stored test (`ids` in the order of `checked.accepted`), then
// one per refused test, or a line saying that nothing was sent.
std::string submitted(const CheckedSubmission &checked, const std::vector<std::int64_t> &ids);

// A message the server will not take, with the reason.
std::string refused(const std::string &reason);

// A readable text of one result, one "Label: value" line each.
std::string result(const StoredResult &stored);
std::string noSuchResult(const std::string &id);

std::string databaseUnavailable();
std::string busy();

} // namespace tarvik::server::replies
