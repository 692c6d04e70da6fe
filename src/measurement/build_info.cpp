#include "measurement/build_info.h"

#include "foundation/product.h"

namespace tarvik::measurement {

BuildInfo buildInfo()
{
#if defined(__clang__)
    const std::string compiler = "clang ";
#elif defined(__GNUC__)
    const std::string compiler = "g++ ";
#else
    const std::string compiler;
#endif
    return {compiler + __VERSION__, TARVIK_BUILD_FLAGS, TARVIK_BUILD_TYPE, std::string(ProductVersion)};
}

} // namespace tarvik::measurement
