#pragma once

#include <string>

namespace tarvik::server {

// The number a query value such as "id=12" or "page6=2" gives: a whole
// number of at most ten digits and no more than `last`; anything else,
// signs, blanks and an empty value included, is 0.
long long queryNumber(const std::string &text, long long last);

} // namespace tarvik::server
