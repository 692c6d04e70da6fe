#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvik::submit {

// Where the result server is: its host, the TCP port of the submission
// protocol and the HTTP port of its web pages (the browser submission and the
// score pages). Written "host", "host:port" or "host:port:webport"; an IPv6
// host goes in brackets ("[::1]:10210").
struct ServerAddress {
    static constexpr std::uint16_t DefaultPort = 10210;
    static constexpr std::uint16_t DefaultWebPort = 10280;

    std::string host;
    std::uint16_t port = DefaultPort;
    std::uint16_t webPort = DefaultWebPort;

    bool operator==(const ServerAddress &) const = default;
};

// The server used unless TARVIK_SERVER or "tserver" names another: one run
// on the same machine.
inline constexpr const char *DefaultServerHost = "localhost";

// Reads an address as written above, blanks around it ignored; nothing for
// an empty host, a port that is not a number from 1 to 65535, or a host
// with blanks, slashes or an unbracketed colon.
std::optional<ServerAddress> parseServerAddress(const std::string &text);
// The address as the user writes it: ports only where they differ from the
// defaults.
std::string addressText(const ServerAddress &address);
// The web site of the server, "http://host:webport", without a final slash.
std::string webAddress(const ServerAddress &address);

} // namespace tarvik::submit
