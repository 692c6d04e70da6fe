#include "gui/record_text.h"

#include "foundation/numbers.h"

namespace tarvik::gui {

std::string recordText(double seconds, char decimalSeparator)
{
    const std::string text = numbers::numberText(numbers::roundHalfEven(seconds, 3), decimalSeparator);
    return text == "0" ? std::string() : text + " sec";
}

} // namespace tarvik::gui
