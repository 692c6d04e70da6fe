#include "web/bar_chart.h"

#include "foundation/numbers.h"
#include "foundation/html_text.h"
#include "web/html.h"

#include <algorithm>

namespace tarvik::server {

namespace {

constexpr int Width = 720;
constexpr int LabelWidth = 300;
constexpr int BarHeight = 22;
constexpr int Gap = 6;
constexpr int TimeWidth = 90; // room for the time after the longest bar

constexpr std::size_t LongestLabel = 40; // bytes, so a label fits left of the bars

// At most LongestLabel bytes, never cutting a UTF-8 sequence in two.
std::string shortLabel(const std::string &text)
{
    if (text.size() <= LongestLabel)
        return text;
    std::size_t end = LongestLabel;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end) + "...";
}

std::string number(double value)
{
    return numbers::numberText(numbers::roundHalfEven(value, 1));
}

// The bar's length is the speed, 1 / time, against the fastest's.
std::string bar(const StoredResult &result, int row, double fastest)
{
    const double barSpace = Width - LabelWidth - TimeWidth;
    const double length = std::max(1.0, barSpace * fastest / result.seconds);
    const int y = row * (BarHeight + Gap);
    const int textY = y + BarHeight - 6;
    const std::string label = result.submitter + " - " + result.processor.specification;
    return "<g><title>" + htmlEscaped(label + ": " + numbers::numberText(result.seconds) + " s") + "</title>" +
           "<text x=\"" + std::to_string(LabelWidth - 8) + "\" y=\"" + std::to_string(textY) +
           "\" text-anchor=\"end\" font-size=\"13\">" + htmlEscaped(shortLabel(label)) + "</text>" + "<rect x=\"" +
           std::to_string(LabelWidth) + "\" y=\"" + std::to_string(y) + "\" width=\"" + number(length) +
           "\" height=\"" + std::to_string(BarHeight) + "\" class=\"bar\" fill=\"#3b7dd8\"/>" + "<text x=\"" +
           number(LabelWidth + length + 6) + "\" y=\"" + std::to_string(textY) + "\" font-size=\"13\">" +
           htmlEscaped(numbers::numberText(result.seconds)) + " s</text></g>\n";
}

} // namespace

std::string barChartSvg(const std::vector<StoredResult> &leading)
{
    if (leading.empty())
        return {};
    const double fastest =
        std::min_element(leading.begin(), leading.end(), [](const StoredResult &a, const StoredResult &b) {
            return a.seconds < b.seconds;
        })->seconds;
    const int height = static_cast<int>(leading.size()) * (BarHeight + Gap);
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" role=\"img\" aria-label=\"Speed of the "
        "leading results: the longest bar is the fastest\" width=\"" +
        std::to_string(Width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(Width) +
        " " + std::to_string(height) + "\">\n";
    for (std::size_t row = 0; row < leading.size(); ++row)
        svg += bar(leading[row], static_cast<int>(row), fastest);
    return svg + "</svg>\n<p class=\"note\">Bar length is speed (1 / time): the longest bar is the fastest.</p>";
}

} // namespace tarvik::server
