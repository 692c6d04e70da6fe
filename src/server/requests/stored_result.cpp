#include "requests/stored_result.h"

namespace tarvik::server {

std::string testCaption(int test)
{
    if (test == SpeedTest)
        return "32M (speed test)";
    if (test == StabilityTest)
        return "1024M (stability test)";
    return "Test " + std::to_string(test);
}

std::string verdictText(const StoredResult &stored)
{
    std::string text = rules::verdictWords(stored.decision.verdict);
    if (!stored.decision.reason.empty())
        text += " (" + stored.decision.reason + ")";
    else if (!stored.decision.rule.empty())
        text += " (" + stored.decision.rule + ")";
    if (!stored.listed)
        text += ", hidden by its submitter";
    return text;
}

} // namespace tarvik::server
