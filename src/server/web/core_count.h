#pragma once

#include <optional>
#include <string>

namespace tarvik::server {

// The core count a processor's model name states, as many do ("AMD Ryzen 7
// 5800X 8-Core Processor", "Athlon 64 X2 Dual Core"); the submitted record
// has no field of its own for it. Nothing when the name does not say.
std::optional<int> coreCountIn(const std::string &processor);

} // namespace tarvik::server
