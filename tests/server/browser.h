#pragma once

#include <string>

namespace tarvik::server::testing {

// The document headless Chromium builds from `address`, as markup: what a
// visitor's browser makes of the page. Throws std::runtime_error when the
// browser is missing or does not finish.
std::string browse(const std::string &address);

// How a page lays out in headless Chromium at `width` CSS pixels, in the
// light or dark colour scheme the visitor's system asks for.
struct Layout {
    int scrollWidth = 0;    // of the document
    int innerWidth = 0;     // of the window
    bool dark = false;      // prefers-color-scheme: dark held
    std::string background; // the body's computed background colour
};
Layout layoutOf(const std::string &address, int width, bool dark);

} // namespace tarvik::server::testing
