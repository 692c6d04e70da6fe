#include "requests/stored_submission.h"

namespace tarvik::server {

std::string managementPath(std::int64_t submissionId, const std::string &key)
{
    return std::string(ManagementPage) + "?submission=" + std::to_string(submissionId) + "&key=" + key;
}

} // namespace tarvik::server
