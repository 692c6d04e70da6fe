#include "hardware/report_helper/machine_facts_reader.h"

#include "foundation/blanks.h"
#include "hardware/report_helper/memory_modules.h"
#include "hardware/report_helper/processor_facts_reader.h"
#include "hardware/report_helper/spd_decoder.h"
#include "hardware/system_files.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <sstream>

namespace tarvik {

namespace {

// The DMI entries the report shows, by their file name in /sys/class/dmi/id.
// Serial numbers are left out on purpose: the summary of the report goes to
// public result databases.
const char *const ReportedDmiEntries[] = {
    "bios_vendor",  "bios_version", "bios_date",     "sys_vendor",     "product_name", "product_version",
    "board_vendor", "board_name",   "board_version", "chassis_vendor", "chassis_type",
};

// The drivers that expose memory modules' SPD data as an "eeprom" file.
const char *const SpdDrivers[] = {"ee1004", "spd5118", "at24"};

// Hardware monitor labels of the processor's core voltage, in lower case.
const char *const CoreVoltageLabels[] = {"vcore",     "cpu vcore", "cpu core", "cpu core voltage",
                                         "svi2_core", "vddcr_cpu"};

std::optional<std::int64_t> memoryTotalKB(const std::filesystem::path &root)
{
    std::istringstream lines(readFileText(underRoot(root, "/proc/meminfo")).value_or(""));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("MemTotal:", 0) != 0)
            continue;
        const std::string amount = trimWhitespace(line.substr(9));
        std::int64_t kb = 0;
        const auto [end, error] = std::from_chars(amount.data(), amount.data() + amount.size(), kb);
        if (error == std::errc() && kb > 0 && std::string(end, amount.data() + amount.size()) == " kB")
            return kb;
    }
    return std::nullopt;
}

// Device-tree properties are strings ended by a zero byte; "compatible"
// holds several, most specific first.
std::vector<std::string> deviceTreeStrings(const std::filesystem::path &file)
{
    std::vector<std::string> strings;
    std::istringstream text(readFileText(file).value_or(""));
    std::string part;
    while (std::getline(text, part, '\0'))
        if (!trimWhitespace(part).empty())
            strings.push_back(trimWhitespace(part));
    return strings;
}

// Boards without DMI (most ARM boards) name themselves in the device tree:
// "model" is the board, the first "compatible" entry starts with its maker
// ("raspberrypi,4-model-b").
void addDeviceTreeBoard(const std::filesystem::path &root, std::map<std::string, std::string> &entries)
{
    const auto deviceTree = underRoot(root, "/proc/device-tree");
    const auto model = deviceTreeStrings(deviceTree / "model");
    const auto compatible = deviceTreeStrings(deviceTree / "compatible");
    if (!model.empty())
        entries.emplace("board_name", model.front());
    if (!compatible.empty() && compatible.front().find(',') != std::string::npos)
        entries.emplace("board_vendor", compatible.front().substr(0, compatible.front().find(',')));
}

std::map<std::string, std::string> boardEntries(const std::filesystem::path &root)
{
    std::map<std::string, std::string> entries;
    for (const char *name : ReportedDmiEntries)
        if (const auto value = readFirstLine(underRoot(root, "/sys/class/dmi/id") / name))
            entries[name] = *value;
    if (!entries.contains("board_name") && !entries.contains("board_vendor"))
        addDeviceTreeBoard(root, entries);
    return entries;
}

std::vector<std::filesystem::path> sortedEntries(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error))
        entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The modules' SPD data, decoded at the rate the firmware runs them. Files
// that exist but cannot be read (they are root's on most systems) are
// reported through `unreadable`.
std::vector<SpdFacts> spdModules(const std::filesystem::path &root, int runningMTs, bool &unreadable)
{
    std::vector<SpdFacts> modules;
    for (const char *driver : SpdDrivers) {
        for (const auto &device : sortedEntries(underRoot(root, "/sys/bus/i2c/drivers") / driver)) {
            const auto eeprom = device / "eeprom";
            if (!std::filesystem::exists(eeprom))
                continue;
            // An eeprom always holds bytes; none means it could not be read.
            const auto bytes = readFileText(eeprom);
            if (!bytes || bytes->empty())
                unreadable = true;
            else if (const auto spd = decodeSpd(*bytes, runningMTs))
                modules.push_back(*spd);
        }
    }
    return modules;
}

int runningRate(const std::vector<MemoryModule> &modules)
{
    for (const MemoryModule &module : modules)
        if (const int rate = module.configuredSpeedMTs > 0 ? module.configuredSpeedMTs : module.speedMTs; rate > 0)
            return rate;
    return 0;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The first hardware monitor input labelled as the core voltage, in volts
// (the kernel gives millivolts).
std::optional<double> coreVoltage(const std::filesystem::path &root)
{
    for (const auto &monitor : sortedEntries(underRoot(root, "/sys/class/hwmon"))) {
        for (const auto &file : sortedEntries(monitor)) {
            const std::string name = file.filename().string();
            if (!name.starts_with("in") || !name.ends_with("_label"))
                continue;
            const std::string label = lowerCase(readFirstLine(file).value_or(""));
            if (std::find(std::begin(CoreVoltageLabels), std::end(CoreVoltageLabels), label) ==
                std::end(CoreVoltageLabels))
                continue;
            const std::string input =
                readFirstLine(monitor / (name.substr(0, name.size() - 6) + "_input")).value_or("");
            int millivolts = 0;
            const auto [end, error] = std::from_chars(input.data(), input.data() + input.size(), millivolts);
            if (error == std::errc() && end == input.data() + input.size() && millivolts > 0)
                return millivolts / 1000.0;
        }
    }
    return std::nullopt;
}

} // namespace

MachineFacts collectMachineFacts(const std::filesystem::path &root, const MachineSources &sources)
{
    MachineFacts facts;
    facts.processor = readProcessorFacts(root, sources.cpuid);
    facts.processor.coreVoltage = coreVoltage(root);
    facts.memoryTotalKB = memoryTotalKB(root);
    facts.modules = modulesFromDmidecode(sources.dmidecodeMemory);
    if (facts.modules.empty())
        facts.modules = modulesFromUdev(sources.udevInfo);
    facts.channels = channelCount(facts.modules);
    bool spdUnreadable = false;
    facts.spd = spdModules(root, runningRate(facts.modules), spdUnreadable);
    facts.dmi = boardEntries(root);
    if (!sources.root) {
        if (spdUnreadable)
            facts.needRoot.push_back("memory timings (the modules' SPD data)");
        // dmidecode reads the firmware's table, which only root may read;
        // machines without the table have no modules to list either way.
        const bool firmwareTable = std::filesystem::exists(underRoot(root, "/sys/firmware/dmi/tables/DMI"));
        if (firmwareTable && sources.dmidecodeMemory.empty() && facts.modules.empty())
            facts.needRoot.push_back("memory modules (dmidecode)");
    }
    return facts;
}

} // namespace tarvik
