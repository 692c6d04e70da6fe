#include "submit/server_address.h"

#include "foundation/blanks.h"

#include <charconv>
#include <vector>

namespace tarvik::submit {

namespace {

std::optional<std::uint16_t> portNumber(const std::string &text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// The host and what follows it: a bracketed IPv6 host, or everything up to
// the first colon.
std::optional<std::pair<std::string, std::string>> splitHost(const std::string &text)
{
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string::npos || close == 1)
            return std::nullopt;
        return std::pair{text.substr(1, close - 1), text.substr(close + 1)};
    }
    const auto colon = text.find(':');
    return std::pair{text.substr(0, colon), colon == std::string::npos ? std::string() : text.substr(colon)};
}

bool plausibleHost(const std::string &host, bool bracketed)
{
    if (host.empty() || host.find_first_of(" \t/?#@") != std::string::npos)
        return false;
    return bracketed || host.find(':') == std::string::npos;
}

// The port texts after the host: none, or each introduced by a colon.
std::optional<std::vector<std::string>> portTexts(const std::string &rest)
{
    if (rest.empty())
        return std::vector<std::string>{};
    if (rest.front() != ':')
        return std::nullopt;
    std::vector<std::string> pieces;
    std::size_t from = 1;
    for (auto colon = rest.find(':', from); colon != std::string::npos; colon = rest.find(':', from)) {
        pieces.push_back(rest.substr(from, colon - from));
        from = colon + 1;
    }
    pieces.push_back(rest.substr(from));
    return pieces;
}

std::string hostText(const std::string &host)
{
    if (host.find(':') == std::string::npos)
        return host;
    std::string bracketed(1, '[');
    bracketed.append(host).push_back(']');
    return bracketed;
}

} // namespace

std::optional<ServerAddress> parseServerAddress(const std::string &text)
{
    const std::string address = trimBlanks(text);
    const auto split = splitHost(address);
    if (!split || !plausibleHost(split->first, !address.empty() && address.front() == '['))
        return std::nullopt;
    const auto ports = portTexts(split->second);
    if (!ports || ports->size() > 2)
        return std::nullopt;

    ServerAddress result{split->first};
    if (!ports->empty()) {
        const auto port = portNumber((*ports)[0]);
        if (!port)
            return std::nullopt;
        result.port = *port;
    }
    if (ports->size() == 2) {
        const auto webPort = portNumber((*ports)[1]);
        if (!webPort)
            return std::nullopt;
        result.webPort = *webPort;
    }
    return result;
}

std::string addressText(const ServerAddress &address)
{
    std::string text = hostText(address.host);
    const bool ownWebPort = address.webPort != ServerAddress::DefaultWebPort;
    if (address.port != ServerAddress::DefaultPort || ownWebPort)
        text.append(":").append(std::to_string(address.port));
    if (ownWebPort)
        text.append(":").append(std::to_string(address.webPort));
    return text;
}

std::string webAddress(const ServerAddress &address)
{
    return "http://" + hostText(address.host) + ":" + std::to_string(address.webPort);
}

} // namespace tarvik::submit
