#include "web/compare_page.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"
#include "web/display_values.h"
#include "web/html.h"
#include "web/pages.h"
#include "web/processor_page.h"
#include "web/query_number.h"

#include <algorithm>
#include <functional>

namespace tarvik::server::pages {

namespace {

// Ids as the result pages take them.
constexpr long long LastId = 2147483647;

struct Field {
    const char *label;
    std::function<std::string(const StoredResult &)> value;
};

std::string joined(const std::string &first, const std::string &second)
{
    return first.empty() || second.empty() ? first + second : first + " " + second;
}

// Every field a result page shows, hardware values the machine did not tell left empty.
const std::vector<Field> &fields()
{
    using R = const StoredResult &;
    static const std::vector<Field> all = {
        {"Submitter", [](R r) { return r.submitter; }},
        {"Description", [](R r) { return r.description; }},
        {"Clock", [](R r) { return display::knownValue(r.processor.clock, "MHz"); }},
        {"L2 cache", [](R r) { return display::knownValue(r.processor.l2Cache, "KB"); }},
        {"Core", [](R r) { return joined(r.processor.codename, r.processor.stepping); }},
        {"Vcore", [](R r) { return display::knownValue(r.processor.vcore, "V"); }},
        {"FSB", [](R r) { return display::knownValue(r.processor.fsb, "MHz"); }},
        {"Memory size", [](R r) { return display::knownValue(r.processor.memorySize, "MB"); }},
        {"Memory type", [](R r) { return r.processor.memoryType; }},
        {"Memory frequency", [](R r) { return display::knownValue(r.processor.memoryFrequency, "MHz"); }},
        {"Memory timings", [](R r) { return display::knownValue(r.processor.memoryTimings); }},
        {"Mainboard vendor", [](R r) { return r.processor.boardVendor; }},
        {"Mainboard model", [](R r) { return r.processor.boardModel; }},
        {"Threads", [](R r) { return std::to_string(r.threads); }},
        {"Test", [](R r) { return std::to_string(r.test) + " " + testCaption(r.test); }},
        {"Time", [](R r) { return numbers::numberText(r.seconds) + " s"; }},
        {"Date", [](R r) { return r.submittedAt + " UTC"; }},
        {"Checksum", [](R r) { return r.checksum + " (verified)"; }},
        {"Verdict", [](R r) { return verdictText(r); }},
    };
    return all;
}

// "+12.5 %": how much longer than `reference` `seconds` took; negative is faster.
std::string difference(double seconds, double reference)
{
    const double percent = numbers::roundHalfEven((seconds - reference) / reference * 100, 2);
    std::string text = percent > 0 ? "+" : "";
    return text.append(numbers::numberText(percent)).append(" %");
}

std::string markupRow(const char *label, const std::vector<std::string> &cells)
{
    std::string row = "<tr><th scope=\"row\">" + htmlEscaped(label) + "</th>";
    for (const std::string &cell : cells)
        row += "<td>" + cell + "</td>";
    return row + "</tr>\n";
}

template <typename Cell>
std::string rowOf(const char *label, const std::vector<StoredResult> &results, Cell cell)
{
    std::vector<std::string> cells;
    for (const StoredResult &result : results)
        cells.push_back(cell(result));
    return markupRow(label, cells);
}

} // namespace

std::variant<std::vector<std::int64_t>, CompareRefusal> comparedIds(const std::vector<std::string> &values)
{
    std::vector<std::int64_t> ids;
    for (const std::string &value : values) {
        if (value.empty())
            continue;
        for (std::size_t begin = 0; begin <= value.size();) {
            const std::size_t comma = std::min(value.find(',', begin), value.size());
            const std::string piece = value.substr(begin, comma - begin);
            begin = comma + 1;
            const long long id = queryNumber(piece, LastId);
            if (id < 1)
                return CompareRefusal{"\"" + piece + "\" is not a result id."};
            if (std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
        }
    }
    if (ids.empty())
        return CompareRefusal{"Choose the results to compare: /compare?ids=1,2 compares results 1 and 2."};
    if (ids.size() > MostCompared)
        return CompareRefusal{"At most " + std::to_string(MostCompared) + " results can be compared at once; " +
                              std::to_string(ids.size()) + " were asked for."};
    return ids;
}

std::string comparePage(const std::vector<StoredResult> &results)
{
    std::string table = rowOf("Result", results, [](const StoredResult &r) {
        return html::link(scoreAddress(r.id), std::to_string(r.id)) + " (" +
               html::link("/score.svg?id=" + std::to_string(r.id), "card") + ")";
    });
    table += rowOf("Processor", results, [](const StoredResult &r) {
        return html::link(processorAddress(r.processor.specification), r.processor.specification);
    });
    const double reference = results.front().seconds;
    for (const Field &field : fields()) {
        // A field none of the machines told is left out whole.
        if (std::all_of(results.begin(), results.end(), [&](const StoredResult &r) { return field.value(r).empty(); }))
            continue;
        table += rowOf(field.label, results, [&](const StoredResult &r) { return htmlEscaped(field.value(r)); });
        if (std::string_view(field.label) == "Time")
            table += rowOf("Time against the first", results, [&](const StoredResult &r) {
                return htmlEscaped(&r == &results.front() ? "reference" : difference(r.seconds, reference));
            });
    }
    const std::string body = "<h1>Comparison</h1>\n<p>Time differences are in per cent of the first result's time; "
                             "a negative difference is faster.</p>\n" +
                             scrollingTable("<table class=\"compare\">\n" + table + "</table>\n");
    return html::page("Comparison", body);
}

std::string compareRefused(const std::string &reason)
{
    return notice("Comparison refused", reason);
}

std::string compareMissing(const std::vector<std::int64_t> &missing)
{
    std::string ids;
    for (const std::int64_t id : missing) {
        if (!ids.empty())
            ids += ", ";
        ids += std::to_string(id);
    }
    return notice("No such result", "There is no accepted, listed result with id " + ids + ".");
}

} // namespace tarvik::server::pages
