#pragma once

#include <string>

namespace tarvik::gui {

// The text a test box shows for a best time: the seconds rounded to three
// decimals (ties to even) in the number text with the given separator,
// followed by " sec". Empty when the time rounds to 0, that is when the test
// has no best time worth showing.
std::string recordText(double seconds, char decimalSeparator);

} // namespace tarvik::gui
