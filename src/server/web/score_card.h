#pragma once

#include "requests/stored_result.h"

#include <string>

namespace tarvik::server::pages {

inline constexpr const char *SvgType = "image/svg+xml";

// A card of one result to show elsewhere (forums, reviews): test, time and
// thread count, processor, submitter and verdict, as a standalone SVG
// document; every text escaped for XML, bytes that are not UTF-8 shown as
// U+FFFD so the document stays well-formed.
std::string scoreCardSvg(const StoredResult &result);

} // namespace tarvik::server::pages
