#include "web/history_chart.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"
#include "web/display_values.h"

#include <algorithm>

namespace tarvik::server {

namespace {

constexpr int Width = 720;
constexpr int Height = 240;
constexpr int Left = 70;   // room for the axis labels
constexpr int Bottom = 30; // room for the first and last day
constexpr int Top = 12;
constexpr int Right = 16;

std::string number(double value)
{
    return numbers::numberText(numbers::roundHalfEven(value, 1));
}

std::string text(double x, double y, const std::string &anchor, const std::string &words)
{
    return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\" font-size=\"12\">" +
           htmlEscaped(words) + "</text>";
}

} // namespace

std::string historyChartSvg(const std::vector<StoredResult> &results)
{
    if (results.empty())
        return {};
    const std::vector<StoredResult> oldestFirst(results.rbegin(), results.rend());
    const double fastest = std::min_element(oldestFirst.begin(), oldestFirst.end(), [](const auto &a, const auto &b) {
                               return a.seconds < b.seconds;
                           })->seconds;
    const double plotWidth = Width - Left - Right;
    const double plotHeight = Height - Top - Bottom;
    const std::size_t last = oldestFirst.size() - 1;
    std::string points;
    std::string marks;
    for (std::size_t i = 0; i < oldestFirst.size(); ++i) {
        const StoredResult &result = oldestFirst[i];
        const double x =
            Left + (last == 0 ? plotWidth / 2 : plotWidth * static_cast<double>(i) / static_cast<double>(last));
        const double y = Top + plotHeight * (1 - fastest / result.seconds);
        if (i)
            points += ' ';
        points += number(x) + "," + number(y);
        marks += "<circle class=\"point\" fill=\"#3b7dd8\" cx=\"" + number(x) + "\" cy=\"" + number(y) +
                 "\" r=\"4\"><title>" +
                 htmlEscaped(display::readableTime(result.submittedAt) + ": " + numbers::numberText(result.seconds) +
                             " s, " + std::to_string(result.threads) + " threads") +
                 "</title></circle>\n";
    }
    const std::string size = std::to_string(Width) + " " + std::to_string(Height);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" role=\"img\" aria-label=\"Speed of "
                      "each result over time: higher is faster\" width=\"" +
                      std::to_string(Width) + "\" height=\"" + std::to_string(Height) + "\" viewBox=\"0 0 " + size +
                      "\">\n";
    svg += "<line class=\"axis\" stroke=\"#888\" x1=\"" + std::to_string(Left) + "\" y1=\"" + std::to_string(Top) +
           "\" x2=\"" + std::to_string(Left) + "\" y2=\"" + std::to_string(Height - Bottom) + "\"/>";
    svg += "<line class=\"axis\" stroke=\"#888\" x1=\"" + std::to_string(Left) + "\" y1=\"" +
           std::to_string(Height - Bottom) + "\" x2=\"" + std::to_string(Width - Right) + "\" y2=\"" +
           std::to_string(Height - Bottom) + "\"/>\n";
    svg += text(Left - 6, Top + 10, "end", numbers::numberText(fastest) + " s") +
           text(Left - 6, Height - Bottom, "end", "slower") + "\n";
    svg += text(Left, Height - 8, "start", display::readableDay(oldestFirst.front().submittedAt)) +
           text(Width - Right, Height - 8, "end", display::readableDay(oldestFirst.back().submittedAt)) + "\n";
    if (last > 0)
        svg += "<polyline class=\"line\" fill=\"none\" stroke=\"#3b7dd8\" points=\"" + points + "\"/>\n";
    return svg + marks + "</svg>\n<p class=\"note\">Height is speed (1 / time): higher is faster; the top is the " +
           htmlEscaped(numbers::numberText(fastest)) + " s of the fastest here.</p>";
}

} // namespace tarvik::server
