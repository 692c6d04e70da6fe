#include "web/html.h"

#include "foundation/html_text.h"

namespace tarvik::server::html {

namespace {

const char *StyleSheet = R"(
body { font-family: sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em; color: #222; }
h1 { font-size: 1.6em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { text-align: left; padding: 0.25em 0.8em; border-bottom: 1px solid #ddd; }
td.number { text-align: right; font-variant-numeric: tabular-nums; }
.refused { color: #a00; }
.held { color: #850; }
form { display: inline-block; margin: 0 1em 1em 0; }
svg { display: block; margin: 1em 0; }
nav a, nav span { margin-right: 1em; }
)"
                         // The processor page, the comparison and their charts.
                         R"(
.scroll { overflow-x: auto; max-width: 100%; }
svg.chart { max-width: 100%; height: auto; }
figure { margin: 1em 0; }
figcaption { font-size: 0.9em; }
table.compare td { vertical-align: top; overflow-wrap: anywhere; min-width: 8em; }
h1.processor { overflow-wrap: anywhere; }
.scroll td.number { white-space: nowrap; }
)";

} // namespace

std::string page(const std::string &title, const std::string &body)
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           htmlEscaped(title) + "</title>\n<style>" + StyleSheet + "</style>\n</head>\n<body>\n" + body +
           "\n<footer><nav><a href=\"/\">Leaderboard</a><a href=\"/api/results\">Results as JSON</a>"
           "<a href=\"/rules\">Rules</a></nav></footer>\n"
           "</body>\n</html>\n";
}

std::string link(const std::string &address, const std::string &text)
{
    return "<a href=\"" + htmlEscaped(address) + "\">" + htmlEscaped(text) + "</a>";
}

} // namespace tarvik::server::html
