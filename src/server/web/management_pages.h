#pragma once

#include "requests/stored_result.h"

#include <cstdint>
#include <string>
#include <vector>

// The pages where the holder of a submission's key hides or deletes its
// results. The key travels in the address and in the forms, never in a link
// to another page.
namespace tarvik::server::pages {

// The submission's results with the two actions.
std::string management(std::int64_t submissionId, const std::string &key, const std::vector<StoredResult> &results);
// What was done: `deleted` false for hidden.
std::string managed(bool deleted, std::size_t results);
// A missing or wrong key, or no such submission: the page does not say which.
std::string notManaged();

} // namespace tarvik::server::pages
