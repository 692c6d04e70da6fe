#include "hardware/report_helper/report_writer.h"

#include "foundation/blanks.h"
#include "foundation/protocol.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <utility>
#include <vector>

namespace tarvik {

namespace {

const std::string LineBreak(LineEnd);

using Items = std::vector<std::pair<std::string, std::string>>;

// A value is the text after the item's last tab and ends at the line end,
// so it may hold neither.
std::string itemValue(const std::string &value)
{
    std::string clean = value;
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return trimWhitespace(clean);
}

// Values start on the same tab stop where the name allows it.
std::string itemLine(const std::string &name, const std::string &value)
{
    const std::size_t tabs = name.size() < 16 ? 3 - name.size() / 8 : 1;
    return "\t" + name + std::string(tabs, '\t') + value + LineBreak;
}

void appendSection(std::string &report, const std::string &title, const Items &items)
{
    std::string lines;
    for (const auto &[name, value] : items)
        if (const std::string clean = itemValue(value); !clean.empty())
            lines += itemLine(name, clean);
    if (lines.empty())
        return;
    report += title + LineBreak + std::string(std::max<std::size_t>(title.size(), 8), '-') + LineBreak + LineBreak +
              lines + LineBreak;
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

std::string voltageText(const std::optional<double> &volts)
{
    if (!volts)
        return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, *volts, std::chars_format::fixed, 3);
    return std::string(buffer, result.ptr) + " V";
}

// "6 x 32 KBytes, 8-way set associative, 64-byte line size". Level 2 and 3
// give their total instead of the count: readers of the report take the
// count-times-size form apart for single-digit counts only.
std::string cacheText(const std::optional<CacheFacts> &cache, bool total)
{
    if (!cache)
        return {};
    std::string text = total || cache->count <= 1
                           ? std::to_string(cache->totalKB()) + " KBytes"
                           : std::to_string(cache->count) + " x " + std::to_string(cache->eachKB) + " KBytes";
    if (cache->ways > 0)
        text += ", " + std::to_string(cache->ways) + "-way set associative";
    if (cache->lineBytes > 0)
        text += ", " + std::to_string(cache->lineBytes) + "-byte line size";
    return text;
}

Items processorItems(const ProcessorFacts &cpu)
{
    return {
        {"Number of processors", withUnit(cpu.packages, "")},
        {"Number of cores", withUnit(cpu.cores, "")},
        {"Number of threads", cpu.threads > 0 ? std::to_string(cpu.threads) : std::string()},
        {"Name", shortProcessorName(cpu.brand)},
        {"Codename", cpu.codename},
        {"Specification", cpu.brand},
        {"Vendor", cpu.vendor},
        {"Family", cpu.family},
        {"Model", cpu.model},
        {"Stepping", cpu.stepping},
        {"Ext. Family", cpu.extFamily},
        {"Ext. Model", cpu.extModel},
        {"Revision", cpu.revision},
        // The summary shows this item as the stepping.
        {"Core Stepping", cpu.stepping},
        {"Instructions sets", cpu.instructions},
        {"Core Speed", clockText(cpu.clockMHz)},
        {"Core Voltage", voltageText(cpu.coreVoltage)},
        // The summary's core voltage is read from this item.
        {"max VID", voltageText(cpu.coreVoltage)},
        {"L1 Data cache", cacheText(cpu.l1Data, false)},
        {"L1 Instruction cache", cacheText(cpu.l1Instruction, false)},
        {"L2 cache", cacheText(cpu.l2, true)},
        {"L3 cache", cacheText(cpu.l3, true)},
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

std::string memoryType(const MachineFacts &facts)
{
    for (const MemoryModule &module : facts.modules)
        if (!module.type.empty())
            return module.type;
    return facts.spd.empty() ? std::string() : facts.spd.front().type;
}

std::string channelsText(const std::optional<int> &channels)
{
    static const char *const named[] = {"Single", "Dual", "Triple", "Quad"};
    if (!channels)
        return {};
    return *channels >= 1 && *channels <= 4 ? named[*channels - 1] : std::to_string(*channels);
}

std::string clocks(const std::vector<SpdFacts> &spd, int MemoryTimings::*timing)
{
    return spd.empty() ? std::string() : std::to_string(spd.front().timings.*timing) + " clocks";
}

Items memoryItems(const MachineFacts &facts)
{
    return {
        {"Memory Type", memoryType(facts)},
        {"Memory Size", withUnit(memorySizeMB(facts), " MBytes")},
        {"Channels", channelsText(facts.channels)},
        {"Memory Frequency", clockText(memoryClockMHz(facts.modules))},
        {"CAS#", clocks(facts.spd, &MemoryTimings::cas)},
        {"RAS# to CAS#", clocks(facts.spd, &MemoryTimings::rasToCas)},
        {"RAS# Precharge", clocks(facts.spd, &MemoryTimings::rasPrecharge)},
        {"Cycle Time (tRAS)", clocks(facts.spd, &MemoryTimings::cycleTime)},
    };
}

Items spdItems(std::size_t slot, const SpdFacts &spd)
{
    const MemoryTimings &t = spd.timings;
    return {
        {"DIMM #", std::to_string(slot + 1)},
        {"Memory type", spd.type},
        {"Max bandwidth", spd.type + "-" + std::to_string(spd.maxMTs) + " (" + oneDecimal(spd.maxMTs / 2.0) + " MHz)"},
        {"Part number", spd.partNumber},
        {"Timings", std::to_string(t.cas) + "-" + std::to_string(t.rasToCas) + "-" + std::to_string(t.rasPrecharge) +
                        "-" + std::to_string(t.cycleTime) + " at " + oneDecimal(t.atMTs / 2.0) + " MHz"},
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
    appendSection(
        report, "DMI System Information",
        {{"manufacturer", dmi("sys_vendor")}, {"product", dmi("product_name")}, {"version", dmi("product_version")}});
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
    std::string report = std::string("Hardware report") + LineBreak;
    if (!facts.needRoot.empty()) {
        std::string items;
        for (const std::string &item : facts.needRoot) {
            if (!items.empty())
                items += ", ";
            items += item;
        }
        report += "Left out, since reading them needs root: " + items + LineBreak;
    }
    report += LineBreak;
    appendSection(report, "Processors Information", processorItems(facts.processor));
    appendSection(report, "Chipset", memoryItems(facts));
    for (std::size_t slot = 0; slot < facts.spd.size(); ++slot)
        appendSection(report, "Memory SPD", spdItems(slot, facts.spd[slot]));
    if (options.dmi)
        appendDmiSections(report, facts);
    return report;
}

} // namespace tarvik
