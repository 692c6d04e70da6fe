#include "gui/thread_count.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"

namespace tarvik::gui {

ThreadCountCheck checkThreadCount(std::string_view text, char decimalSeparator)
{
    double whole = 0;
    try {
        whole = numbers::strictNumber(text, decimalSeparator);
    } catch (const Fault &) {
        return ThreadCountCheck::NotANumber;
    }
    if (numbers::leadingNumber(text) != whole)
        return ThreadCountCheck::NotANumber;
    return whole >= 1 && whole <= MostThreads ? ThreadCountCheck::Accepted : ThreadCountCheck::OutOfRange;
}

} // namespace tarvik::gui
