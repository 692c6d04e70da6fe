#include "web/query_number.h"

namespace tarvik::server {

long long queryNumber(const std::string &text, long long last)
{
    // Ten digits stay far inside a long long, so the conversion cannot overflow.
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long long value = std::stoll(text);
    return value <= last ? value : 0;
}

} // namespace tarvik::server
