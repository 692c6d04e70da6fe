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

} // namespace tarvik::server
