#pragma once

#include <string_view>

namespace tarvik::gui {

enum class ThreadCountCheck {
    Accepted,   // a number from 1 to 256, to be handed to "ft" as typed
    NotANumber, // not a number as a whole, or its leading number reads differently
    OutOfRange, // a number, but not from 1 to 256
};

// Checks a thread count typed into the advanced settings. The text is read
// twice: by the lenient leading-number rule ("." as decimal point) and as a
// whole by the user's locale; both readings must agree. So "8.5" passes where
// the decimal point is ".", while "8,5" with a decimal comma does not (its
// leading number is 8).
ThreadCountCheck checkThreadCount(std::string_view text, char decimalSeparator);

} // namespace tarvik::gui
