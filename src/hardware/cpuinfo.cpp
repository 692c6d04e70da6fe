#include "hardware/cpuinfo.h"

#include "foundation/fault.h"
#include "foundation/blanks.h"
#include "hardware/processor_names.h"
#include "hardware/system_files.h"

#include <charconv>
#include <sstream>

namespace tarvik {

std::string CpuinfoEntry::field(const std::string &key) const
{
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

namespace {

std::optional<int> processorNumber(const std::string &text)
{
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 0)
        return std::nullopt;
    return number;
}

} // namespace

std::string processorName(const CpuinfoEntry &cpu)
{
    const std::string modelName = cpu.field("model name");
    return modelName.empty() ? armProcessorName(cpu.field("CPU implementer"), cpu.field("CPU part")) : modelName;
}

std::optional<std::int64_t> levelTwoCacheLineKB(const CpuinfoEntry &cpu)
{
    const std::string text = cpu.field("cache size");
    std::int64_t kb = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), kb);
    if (cpu.field("vendor_id") == "GenuineIntel" || error != std::errc() || kb <= 0 ||
        std::string_view(end, text.data() + text.size()) != " KB")
        return std::nullopt;
    return kb;
}

std::vector<CpuinfoEntry> parseCpuinfo(const std::string &text)
{
    std::vector<CpuinfoEntry> entries;
    std::istringstream lines(text);
    std::string line;
    bool inProcessorBlock = false;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            if (trimWhitespace(line).empty())
                inProcessorBlock = false;
            continue;
        }
        const std::string key = trimWhitespace(line.substr(0, colon));
        const std::string value = withoutControlBytes(trimWhitespace(line.substr(colon + 1)));
        if (key == "processor") {
            const auto number = processorNumber(value);
            inProcessorBlock = number.has_value();
            if (inProcessorBlock)
                entries.push_back(CpuinfoEntry{*number, {}});
        }
        if (inProcessorBlock)
            entries.back().fields[key] = value;
    }
    return entries;
}

std::vector<CpuinfoEntry> readCpuinfo(const std::filesystem::path &root)
{
    const auto text = readFileText(underRoot(root, "/proc/cpuinfo"));
    if (!text)
        throw Fault(faults::FileNotFound);
    return parseCpuinfo(*text);
}

} // namespace tarvik
