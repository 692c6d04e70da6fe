#pragma once

#include <string>
#include <unordered_map>

namespace tarvik::server {

// Open connections per peer address, so that no one client holds all of a
// side's connections.
class AddressLimit {
public:
    explicit AddressLimit(int perAddress) : m_perAddress(perAddress) {}

    // Counts one more connection from `address`; false, and not counted,
    // when that address already has its share.
    bool admit(const std::string &address)
    {
        int &open = m_open[address];
        if (open >= m_perAddress)
            return false;
        ++open;
        return true;
    }

    void release(const std::string &address)
    {
        const auto found = m_open.find(address);
        if (found != m_open.end() && --found->second <= 0)
            m_open.erase(found);
    }

private:
    int m_perAddress;
    std::unordered_map<std::string, int> m_open;
};

} // namespace tarvik::server
