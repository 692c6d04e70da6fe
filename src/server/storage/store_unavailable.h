#pragma once

#include <stdexcept>
#include <string>

namespace tarvik::server {

// The database cannot be reached or refused a statement. The server answers
// that nothing was stored or read, and tries again with the next request.
class StoreUnavailable : public std::runtime_error {
public:
    explicit StoreUnavailable(const std::string &what) : std::runtime_error(what) {}
};

} // namespace tarvik::server
