#pragma once

#include <string>
#include <string_view>

namespace tarvik::server::html {

// A whole page: doctype, title, the shared style sheet and `body` (markup).
std::string page(const std::string &title, const std::string &body);

// <a href="...">text</a>, both escaped.
std::string link(const std::string &address, const std::string &text);

} // namespace tarvik::server::html
