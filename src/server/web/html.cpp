#include "web/html.h"

#include "foundation/html_text.h"

namespace tarvik::server::html {

namespace {

// Light and dark by the visitor's own setting. Pages never scroll sideways on
// a phone: a wide table scrolls in its own box (.table-box) and a chart
// (.chart) shrinks to the width there is.
const char *StyleSheet = R"(
:root { color-scheme: light dark; --text: #222; --back: #fff; --line: #ddd; --muted: #555; --link: #1a55b0;
  --bar: #3b7dd8; --refused: #a00; --held: #850; }
@media (prefers-color-scheme: dark) {
  :root { --text: #e4e4e4; --back: #16181c; --line: #3a3d44; --muted: #aaa; --link: #8ab4f8;
    --bar: #5b9bf0; --refused: #ff7b72; --held: #e3b341; }
}
body { font-family: sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em; color: var(--text);
  background: var(--back); overflow-wrap: anywhere; }
a { color: var(--link); }
h1 { font-size: 1.6em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { text-align: left; padding: 0.25em 0.8em; border-bottom: 1px solid var(--line); }
td.number { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
.table-box { overflow-x: auto; max-width: 100%; }
.table-box table { overflow-wrap: normal; }
.refused { color: var(--refused); }
.held { color: var(--held); }
.note { color: var(--muted); font-size: 0.9em; }
form { display: inline-block; margin: 0 1em 1em 0; }
form.filters { display: flex; flex-wrap: wrap; gap: 0.5em 1em; align-items: end; }
form.filters label { display: flex; flex-direction: column; font-size: 0.9em; }
input, select, button { font: inherit; max-width: 100%; }
svg, .chart { display: block; margin: 1em 0; max-width: 100%; height: auto; }
.chart text { fill: var(--text); }
.chart .bar { fill: var(--bar); }
.chart .line { stroke: var(--bar); fill: none; }
.chart .point { fill: var(--bar); }
.chart .axis { stroke: var(--muted); }
nav { display: flex; flex-wrap: wrap; gap: 0.3em 1em; }
footer { margin-top: 2em; }
/* The processor page and the comparison. A list in a form is as wide as
   the page, not as its table, so that the table scrolls in its box. */
form.list { display: block; margin: 0; }
figure { margin: 1em 0; }
figcaption { font-size: 0.9em; }
table.compare td { vertical-align: top; overflow-wrap: anywhere; min-width: 8em; }
h1.processor { overflow-wrap: anywhere; }
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

std::string tableBox(const std::string &table)
{
    return "<div class=\"table-box\">" + table + "</div>\n";
}

std::string link(const std::string &address, const std::string &text)
{
    return "<a href=\"" + htmlEscaped(address) + "\">" + htmlEscaped(text) + "</a>";
}

} // namespace tarvik::server::html
