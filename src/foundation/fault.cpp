#include "foundation/fault.h"

#include <cstring>

namespace tarvik {

std::string Fault::detail() const
{
    std::string text = description();
    if (m_context.empty() && m_systemError == 0)
        return text;
    text += " (";
    text += m_context;
    if (m_systemError != 0) {
        if (!m_context.empty())
            text += ": ";
        text += std::strerror(m_systemError);
    }
    return text + ")";
}

} // namespace tarvik
