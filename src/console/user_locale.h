#pragma once

namespace tarvik {

// The decimal separator of the user's locale, for the number texts.
char userDecimalSeparator();

} // namespace tarvik
