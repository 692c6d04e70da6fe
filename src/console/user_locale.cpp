#include "console/user_locale.h"

#include <QLocale>

namespace tarvik {

char userDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
}

} // namespace tarvik
