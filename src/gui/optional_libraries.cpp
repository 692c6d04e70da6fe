#include "gui/optional_libraries.h"

#include "gui/pictures.h"

namespace tarvik::gui {

const std::vector<OptionalLibrary> &optionalLibraries()
{
    static const std::vector<OptionalLibrary> libraries = {
        {QStringLiteral("CPUz v1.41"), QStringLiteral("cpuz141.exe"),
         QStringLiteral("The hardware report helper: a much more accurate and detailed way of getting hardware "
                        "information. Required for mainboard and memory information."),
         pictures::processorChip, QStringLiteral(":/gui/cpuz141-readme.txt")},
    };
    return libraries;
}

} // namespace tarvik::gui
