#include "requests/stored_submission.h"

#include <algorithm>

namespace tarvik::server {

bool ranksNewResult(const StoredSubmission &stored)
{
    return std::any_of(stored.tests.begin(), stored.tests.end(), [](const StoredTest &test) {
        return !test.alreadyStored && test.decision.verdict == rules::Verdict::Accepted;
    });
}

std::string managementPath(std::int64_t submissionId, const std::string &key)
{
    return std::string(ManagementPage) + "?submission=" + std::to_string(submissionId) + "&key=" + key;
}

} // namespace tarvik::server
