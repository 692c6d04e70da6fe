#pragma once

#include <string>
#include <string_view>

namespace tarvik::server::html {

// A whole page: doctype, title, the shared style sheet and `body` (markup).
std::string page(const std::string &title, const std::string &body);

// <a href="...">text</a>, both escaped.
std::string link(const std::string &address, const std::string &text);

// A table (markup) in a box that scrolls sideways on its own when the table
// is wider than the page.
std::string tableBox(const std::string &table);

} // namespace tarvik::server::html
