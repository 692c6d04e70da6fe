#include "submit/browser_submission.h"

namespace tarvik::submit {

std::string browserSubmissionUrl(const std::string &webAddress, const std::string &message)
{
    return webAddress + "/submit.cgi?SendStr=" + percentEncoded(message);
}

std::string scorePageUrl(const std::string &webAddress, std::int32_t id)
{
    return webAddress + "/score.cgi?id=" + std::to_string(id);
}

} // namespace tarvik::submit
