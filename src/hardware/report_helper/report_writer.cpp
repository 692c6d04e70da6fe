#include "hardware/report_helper/report_writer.h"

#include "foundation/blanks.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <utility>
#include <vector>

namespace tarvik {

namespace {

constexpr const char *LineEnd = "\r\n";

using Items = std::vector<std::pair<std::string, std::string>>;

// A value is the text after the item's last tab and ends at the line end,
// so it may hold neither.
std::string itemValue(const std::string &value)
{
    std::string clean = value;
    std::replace_if(clean.begin(), clean.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return trimWhitespace(clean);
}

// Values start on the same tab stop where the name allows it.
std::string itemLine(const std::string &name, const std::string &value)
{
    const std::size_t tabs = name.size() < 16 ? 3 - name.size() / 8 : 1;
    return "\t" + name + std::string(tabs, '\t') + value + LineEnd;
}

void appendSection(std::string &report, const std::string &title, const Items &items)
{
    std::string lines;
    for (const auto &[name, value] : items)
        if (const std::string clean = itemValue(value); !clean.empty())
            lines += itemLine(name, clean);
    if (lines.empty())
        return;
    report += title + LineEnd + std::string(std::max<std::size_t>(title.size(), 8), '-') + LineEnd + LineEnd +
              lines + LineEnd;
}

std::string oneDecimal(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

template <typename Number>
std::string withUnit(const std::optional<Number> &value, const std::string &unit)
{
    return value ? std::to_string(*value) + unit : std::string();
}

std::string clockText(const std::optional<double> &mhz)
{
    return mhz ? oneDecimal(*mhz) + " MHz" : std::string();
}

Items processorItems(const ProcessorFacts &cpu)
{
    return {
        {"Number of processors", withUnit(cpu.packages, "")},
        {"Number of cores", withUnit(cpu.cores, "")},
        {"Number of threads", cpu.threads > 0 ? std::to_string(cpu.threads) : std::string()},
        {"Name", shortProcessorName(cpu.brand)},
        {"Specification", cpu.brand},
        {"Vendor", cpu.vendor},
        {"Family", cpu.family},
        {"Model", cpu.model},
        {"Core Stepping", cpu.stepping},
        {"Core Speed", clockText(cpu.clockMHz)},
        {"L2 cache", withUnit(cpu.l2TotalKB, " KBytes")},
        {"L3 cache", withUnit(cpu.l3TotalKB, " KBytes")},
    };
}

// The memory clock, half the transfer rate of double-data-rate memory, as
// the modules run it.
std::optional<double> memoryClockMHz(const std::vector<MemoryModule> &modules)
{
    for (const MemoryModule &module : modules)
        if (const int rate = module.configuredSpeedMTs > 0 ? module.configuredSpeedMTs : module.speedMTs; rate > 0)
            return rate / 2.0;
    return std::nullopt;
}

std::optional<std::int64_t> memorySizeMB(const MachineFacts &facts)
{
    if (!facts.modules.empty()) {
        std::int64_t total = 0;
        for (const MemoryModule &module : facts.modules)
            total += module.sizeMB;
        return total;
    }
    if (facts.memoryTotalKB)
        return *facts.memoryTotalKB / 1024;
    return std::nullopt;
}

Items memoryItems(const MachineFacts &facts)
{
    const auto typed = std::find_if(facts.modules.begin(), facts.modules.end(),
                                    [](const MemoryModule &module) { return !module.type.empty(); });
    return {
        {"Memory Type", typed == facts.modules.end() ? std::string() : typed->type},
        {"Memory Size", withUnit(memorySizeMB(facts), " MBytes")},
        {"Memory Frequency", clockText(memoryClockMHz(facts.modules))},
    };
}

std::string speedText(int mts)
{
    return mts > 0 ? std::to_string(mts) + " MT/s" : std::string();
}

Items moduleItems(const MemoryModule &module)
{
    return {
        {"designation", module.locator},
        {"type", module.type},
        {"size", std::to_string(module.sizeMB) + " MBytes"},
        {"speed", speedText(module.speedMTs)},
        {"configured speed", speedText(module.configuredSpeedMTs)},
        {"manufacturer", module.manufacturer},
        {"part number", module.partNumber},
    };
}

void appendDmiSections(std::string &report, const MachineFacts &facts)
{
    const auto dmi = [&facts](const char *entry) {
        const auto found = facts.dmi.find(entry);
        return found == facts.dmi.end() ? std::string() : found->second;
    };
    appendSection(report, "DMI BIOS",
                  {{"vendor", dmi("bios_vendor")}, {"version", dmi("bios_version")}, {"date", dmi("bios_date")}});
    appendSection(report, "DMI System Information",
                  {{"manufacturer", dmi("sys_vendor")},
                   {"product", dmi("product_name")},
                   {"version", dmi("product_version")}});
    appendSection(report, "DMI Baseboard",
                  {{"vendor", dmi("board_vendor")}, {"model", dmi("board_name")}, {"revision", dmi("board_version")}});
    for (const MemoryModule &module : facts.modules)
        appendSection(report, "DMI Memory Device", moduleItems(module));
    appendSection(report, "DMI System Enclosure",
                  {{"manufacturer", dmi("chassis_vendor")}, {"chassis type", dmi("chassis_type")}});
}

void eraseAll(std::string &text, const std::string &part)
{
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at))
        text.erase(at, part.size());
}

} // namespace

std::string shortProcessorName(const std::string &brand)
{
    std::string name = brand.substr(0, brand.find(" @ "));
    for (const char *mark : {"(R)", "(r)", "(TM)", "(tm)"})
        eraseAll(name, mark);
    std::istringstream words(name);
    std::string word, shortName;
    while (words >> word)
        if (word != "CPU" && word != "Processor")
            shortName += (shortName.empty() ? "" : " ") + word;
    return shortName;
}

std::string reportText(const MachineFacts &facts, const ReportOptions &options)
{
    std::string report = std::string("Hardware report") + LineEnd + LineEnd;
    appendSection(report, "Processors Information", processorItems(facts.processor));
    appendSection(report, "Chipset", memoryItems(facts));
    if (options.dmi)
        appendDmiSections(report, facts);
    return report;
}

} // namespace tarvik
