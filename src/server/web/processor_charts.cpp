#include "web/processor_charts.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"

#include <algorithm>
#include <cmath>

namespace tarvik::server::charts {

namespace {

constexpr int Bins = 24;
constexpr double HistogramWidth = 360;
constexpr double HistogramHeight = 60;
constexpr double ChartWidth = 600;
constexpr double ChartHeight = 260;
// Room for the axis texts around a chart's plot.
constexpr double Left = 70;
constexpr double Right = 20;
constexpr double Top = 30;
constexpr double Bottom = 40;

std::string number(double value)
{
    return numbers::numberText(numbers::roundHalfEven(value, 1));
}

std::string timeText(double seconds)
{
    return numbers::numberText(numbers::roundHalfEven(seconds, 3)) + " s";
}

std::string svgStart(double width, double height, const std::string &label)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" role=\"img\" aria-label=\"" + htmlEscaped(label) +
           "\" width=\"" + number(width) + "\" height=\"" + number(height) + "\" viewBox=\"0 0 " + number(width) + " " +
           number(height) + "\" font-size=\"12\" fill=\"currentColor\">\n";
}

std::string text(double x, double y, const std::string &content, const char *anchor = "start")
{
    return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\">" +
           htmlEscaped(content) + "</text>";
}

std::string line(double x1, double y1, double x2, double y2, const char *style)
{
    return "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) + "\" y2=\"" + number(y2) +
           "\" " + style + "/>";
}

std::string points(const std::vector<std::pair<double, double>> &at)
{
    std::string list;
    for (const auto &[x, y] : at) {
        if (!list.empty())
            list += ' ';
        list += number(x) + "," + number(y);
    }
    return list;
}

std::string captionOf(const TimeSummary &summary)
{
    return "Test " + std::to_string(summary.test) + " on " + std::to_string(summary.threads) +
           (summary.threads == 1 ? " thread" : " threads");
}

// Where a thread count and a time go in the scaling chart.
class ScalingAxes {
public:
    ScalingAxes(int mostThreads, double slowest) : m_logMost(std::log2(std::max(2, mostThreads))), m_slowest(slowest) {}
    double x(double threads) const { return Left + (ChartWidth - Left - Right) * std::log2(threads) / m_logMost; }
    double y(double seconds) const { return ChartHeight - Bottom - (ChartHeight - Top - Bottom) * seconds / m_slowest; }

private:
    double m_logMost;
    double m_slowest;
};

} // namespace

std::string distributionSvg(const TimeSummary &summary)
{
    const double fastest = summary.best();
    const double span = summary.seconds.back() - fastest;
    std::vector<int> counts(Bins, 0);
    for (double seconds : summary.seconds) {
        const int bin = span > 0 ? static_cast<int>((seconds - fastest) / span * Bins) : 0;
        ++counts[static_cast<std::size_t>(std::min(bin, Bins - 1))];
    }
    const int fullest = *std::max_element(counts.begin(), counts.end());
    const double binWidth = HistogramWidth / Bins;
    const double height = HistogramHeight + 36;
    std::string svg = svgStart(HistogramWidth, height, "Spread of the times, " + captionOf(summary));
    for (int bin = 0; bin < Bins; ++bin) {
        const double barHeight = HistogramHeight * counts[static_cast<std::size_t>(bin)] / fullest;
        svg += "<rect x=\"" + number(bin * binWidth) + "\" y=\"" + number(HistogramHeight - barHeight) + "\" width=\"" +
               number(binWidth - 1) + "\" height=\"" + number(barHeight) + "\" fill=\"#3b7dd8\"/>";
    }
    svg += "\n";
    auto xOf = [&](double seconds) { return span > 0 ? HistogramWidth * (seconds - fastest) / span : 0.0; };
    for (const int percent : {10, 50, 90})
        svg += line(xOf(summary.percentile(percent)), 0, xOf(summary.percentile(percent)), HistogramHeight,
                    percent == 50 ? "stroke=\"#d0481b\" stroke-width=\"2\""
                                  : "stroke=\"#d0481b\" stroke-dasharray=\"3 3\"");
    svg += '\n';
    svg += text(0, HistogramHeight + 16, timeText(fastest) + " (fastest)") +
           text(HistogramWidth, HistogramHeight + 16, timeText(summary.seconds.back()), "end") +
           text(0, HistogramHeight + 32, "Red lines: 10th percentile, median, 90th percentile") + "\n";
    return svg + "</svg>";
}

std::string scalingSvg(int test, const std::vector<TimeSummary> &summaries, std::optional<int> cores)
{
    std::vector<const TimeSummary *> measured;
    for (const TimeSummary &summary : summaries)
        if (summary.test == test)
            measured.push_back(&summary);
    if (measured.empty())
        return {};
    const TimeSummary *single = measured.front()->threads == 1 ? measured.front() : nullptr;
    double slowest = 0;
    for (const TimeSummary *summary : measured)
        slowest = std::max(slowest, summary->median());
    const int mostThreads = std::max(measured.back()->threads, cores.value_or(1));
    const ScalingAxes axes(mostThreads, slowest);

    std::string svg =
        svgStart(ChartWidth, ChartHeight, "Median time of test " + std::to_string(test) + " by thread count");
    svg += line(Left, Top, Left, ChartHeight - Bottom, "stroke=\"currentColor\"") +
           line(Left, ChartHeight - Bottom, ChartWidth - Right, ChartHeight - Bottom, "stroke=\"currentColor\"") +
           text(Left - 6, axes.y(slowest) + 4, timeText(slowest), "end") +
           text(Left - 6, ChartHeight - Bottom + 4, "0 s", "end") +
           text(Left, Top - 12, "Median time (lower is faster)") +
           text(ChartWidth - Right, ChartHeight - 6, "threads (logarithmic)", "end") + "\n";
    if (cores)
        svg += line(axes.x(*cores), Top, axes.x(*cores), ChartHeight - Bottom,
                    "stroke=\"#2a9d4b\" stroke-dasharray=\"6 4\"") +
               text(axes.x(*cores) + 4, Top + 12, std::to_string(*cores) + " cores") + "\n";
    std::vector<std::pair<double, double>> medians;
    for (const TimeSummary *summary : measured) {
        medians.emplace_back(axes.x(summary->threads), axes.y(summary->median()));
        svg += text(axes.x(summary->threads), ChartHeight - Bottom + 16, std::to_string(summary->threads), "middle") +
               "<circle cx=\"" + number(medians.back().first) + "\" cy=\"" + number(medians.back().second) +
               "\" r=\"4\" fill=\"#3b7dd8\"><title>" +
               htmlEscaped(captionOf(*summary) + ": median " + timeText(summary->median())) + "</title></circle>";
    }
    svg += '\n';
    svg += "<polyline points=\"" + points(medians) + "\" fill=\"none\" stroke=\"#3b7dd8\" stroke-width=\"2\"/>\n";
    if (single) {
        std::vector<std::pair<double, double>> ideal;
        for (int threads = 1; threads <= mostThreads; ++threads)
            ideal.emplace_back(axes.x(threads), axes.y(single->median() / threads));
        svg += "<polyline points=\"" + points(ideal) + "\" fill=\"none\" stroke=\"#888\" stroke-dasharray=\"4 4\"/>\n" +
               text(ChartWidth - Right, Top - 12, "dashed: ideal scaling from one thread", "end") + "\n";
    }
    return svg + "</svg>";
}

} // namespace tarvik::server::charts
