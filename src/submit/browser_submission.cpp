#include "submit/browser_submission.h"

namespace tarvik::submit {

namespace {

bool unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

} // namespace

std::string percentEncoded(const std::string &bytes)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c)) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += Hex[c >> 4];
            encoded += Hex[c & 0x0F];
        }
    }
    return encoded;
}

std::string browserSubmissionUrl(const std::string &webAddress, const std::string &message)
{
    return webAddress + "/submit.cgi?SendStr=" + percentEncoded(message);
}

std::string scorePageUrl(const std::string &webAddress, std::int32_t id)
{
    return webAddress + "/score.cgi?id=" + std::to_string(id);
}

} // namespace tarvik::submit
