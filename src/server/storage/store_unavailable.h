#pragma once

#include <stdexcept>
#include <string>

namespace tarvik::server {

// The database cannot be reached or refused a statement. The server answers
// that nothing was stored or read, and tries again with the next request.
class StoreUnavailable : public std::runtime_error {
public:
    enum class Cause {
        Unreachable, // no connection, or it broke: the next request connects afresh
        Refused,     // the database took the connection but not this statement's values
        DiskFull,    // no room left to store anything
    };

    explicit StoreUnavailable(const std::string &what, Cause cause = Cause::Unreachable)
        : std::runtime_error(what),
          m_cause(cause)
    {
    }

    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

} // namespace tarvik::server
