#pragma once

#include <string>

namespace tarvik {

// Every byte except letters, digits and "-._~" as "%XX" (upper-case hex),
// so blanks, "&", "#", "+", the field separators and any other byte arrive
// as they were sent when the text is a query value.
std::string percentEncoded(const std::string &bytes);

} // namespace tarvik
