#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// Text safe inside an element or a quoted attribute (single or double
// quotes): & < > " ' become entities. The result server's pages and the
// HWBOT submission pages both put user texts through it.
std::string htmlEscaped(std::string_view text);

} // namespace tarvik
