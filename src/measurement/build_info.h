#pragma once

#include <string>

namespace tarvik::measurement {

// How this program was built: scores of two builds are only comparable
// when these agree.
struct BuildInfo {
    std::string compiler; // name and version
    std::string flags;    // the compiler flags of the build type
    std::string buildType;
    std::string version; // the program's version
};

BuildInfo buildInfo();

} // namespace tarvik::measurement
