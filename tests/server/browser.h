#pragma once

#include <string>

namespace tarvik::server::testing {

// The document headless Chromium builds from `address`, as markup: what a
// visitor's browser makes of the page. Throws std::runtime_error when the
// browser is missing or does not finish.
std::string browse(const std::string &address);

} // namespace tarvik::server::testing
