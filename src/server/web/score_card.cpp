#include "web/score_card.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"

namespace tarvik::server::pages {

namespace {

constexpr int Width = 480;
constexpr int Height = 150;

// The length of the well-formed UTF-8 sequence at `at` (no overlong form,
// no surrogate, nothing above U+10FFFF), 0 when there is none.
std::size_t sequenceLength(const std::string &text, std::size_t at)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80; // the range of the second byte
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong form
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong form
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    }
    if (length == 0 || at + length > text.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    return length;
}

std::string validUtf8(const std::string &text)
{
    std::string valid;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text, at);
        valid += length ? text.substr(at, length) : "\xEF\xBF\xBD";
        at += length ? length : 1;
    }
    return valid;
}

std::string line(int y, int size, const std::string &text, const char *weight = "normal")
{
    return "<text x=\"16\" y=\"" + std::to_string(y) + "\" font-size=\"" + std::to_string(size) + "\" font-weight=\"" +
           weight + "\">" + htmlEscaped(validUtf8(text)) + "</text>\n";
}

} // namespace

std::string scoreCardSvg(const StoredResult &result)
{
    const std::string time = numbers::numberText(result.seconds) + " s on " + std::to_string(result.threads) +
                             (result.threads == 1 ? " thread" : " threads");
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(Width) + "\" height=\"" + std::to_string(Height) + "\" viewBox=\"0 0 " +
           std::to_string(Width) + " " + std::to_string(Height) +
           "\" font-family=\"sans-serif\" role=\"img\">\n"
           "<rect x=\"1\" y=\"1\" width=\"" +
           std::to_string(Width - 2) + "\" height=\"" + std::to_string(Height - 2) +
           "\" rx=\"8\" fill=\"#f4f6fa\" stroke=\"#3b7dd8\" stroke-width=\"2\"/>\n"
           "<g fill=\"#222\">\n" +
           line(28, 14, "Tarvik result " + std::to_string(result.id) + " - " + testCaption(result.test)) +
           line(64, 28, time, "bold") + line(92, 15, result.processor.specification) +
           line(114, 14, "by " + result.submitter) + line(136, 13, "Verdict: " + verdictText(result)) +
           "</g>\n</svg>\n";
}

} // namespace tarvik::server::pages
