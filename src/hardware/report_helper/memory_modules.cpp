#include "hardware/report_helper/memory_modules.h"

#include "foundation/blanks.h"

#include <charconv>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace tarvik {

namespace {

std::int64_t leadingWhole(const std::string &text)
{
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string afterPrefix(const std::string &text, const std::string &prefix)
{
    return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : std::string();
}

// Properties of one slot, by the name that follows "MEMORY_DEVICE_<n>_".
using SlotProperties = std::map<std::string, std::string>;

std::map<int, SlotProperties> udevSlots(const std::string &udevInfo)
{
    std::map<int, SlotProperties> slots;
    std::istringstream lines(udevInfo);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string property = afterPrefix(trimWhitespace(line), "E: MEMORY_DEVICE_");
        const auto underscore = property.find('_');
        const auto equals = property.find('=');
        if (underscore == std::string::npos || equals == std::string::npos || underscore > equals)
            continue;
        const std::string slot = property.substr(0, underscore);
        if (slot.empty() || slot.size() > 6 || slot.find_first_not_of("0123456789") != std::string::npos)
            continue;
        slots[std::stoi(slot)][property.substr(underscore + 1, equals - underscore - 1)] = property.substr(equals + 1);
    }
    return slots;
}

std::string valueOf(const SlotProperties &properties, const std::string &name)
{
    const auto found = properties.find(name);
    return found == properties.end() ? std::string() : trimWhitespace(found->second);
}

// dmidecode writes "Unknown", "Not Specified" and the like where the
// firmware gives nothing.
std::string knownText(const std::string &text)
{
    static const char *const unknown[] = {"Unknown", "Not Specified", "Not Provided", "None", "<OUT OF SPEC>"};
    for (const char *word : unknown)
        if (text == word)
            return {};
    return text;
}

// "8 GB", "8192 MB", "512 kB"; "No Module Installed" gives 0.
std::int64_t dmidecodeSizeMB(const std::string &text)
{
    const std::int64_t amount = leadingWhole(text);
    if (text.ends_with(" TB"))
        return amount * 1024 * 1024;
    if (text.ends_with(" GB"))
        return amount * 1024;
    if (text.ends_with(" MB"))
        return amount;
    return 0;
}

MemoryModule dmidecodeModule(const SlotProperties &fields)
{
    const std::string configured = valueOf(fields, "Configured Memory Speed");
    return MemoryModule{
        knownText(valueOf(fields, "Locator")),
        knownText(valueOf(fields, "Type")),
        knownText(valueOf(fields, "Manufacturer")),
        knownText(valueOf(fields, "Part Number")),
        dmidecodeSizeMB(valueOf(fields, "Size")),
        static_cast<int>(leadingWhole(valueOf(fields, "Speed"))),
        static_cast<int>(leadingWhole(configured.empty() ? valueOf(fields, "Configured Clock Speed") : configured)),
        knownText(valueOf(fields, "Bank Locator"))};
}

// The channel letter or digit after the word "channel" in a slot name.
std::optional<char> channelOf(const std::string &slotName)
{
    std::string upper = slotName;
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto word = upper.find("CHANNEL");
    if (word == std::string::npos)
        return std::nullopt;
    const auto name = upper.find_first_not_of(" _-", word + 7);
    if (name == std::string::npos || !std::isalnum(static_cast<unsigned char>(upper[name])))
        return std::nullopt;
    return upper[name];
}

} // namespace

std::optional<int> channelCount(const std::vector<MemoryModule> &modules)
{
    std::set<char> channels;
    for (const MemoryModule &module : modules) {
        auto channel = channelOf(module.bankLocator);
        if (!channel)
            channel = channelOf(module.locator);
        if (!channel)
            return std::nullopt;
        channels.insert(*channel);
    }
    return channels.empty() ? std::nullopt : std::optional<int>(static_cast<int>(channels.size()));
}

std::vector<MemoryModule> modulesFromUdev(const std::string &udevInfo)
{
    std::vector<MemoryModule> modules;
    for (const auto &[slot, properties] : udevSlots(udevInfo)) {
        const std::int64_t sizeBytes = leadingWhole(valueOf(properties, "SIZE"));
        if (valueOf(properties, "PRESENT") == "0" || sizeBytes <= 0)
            continue;
        modules.push_back(MemoryModule{valueOf(properties, "LOCATOR"), valueOf(properties, "TYPE"),
                                       valueOf(properties, "MANUFACTURER"), valueOf(properties, "PART_NUMBER"),
                                       sizeBytes / (1024 * 1024),
                                       static_cast<int>(leadingWhole(valueOf(properties, "SPEED_MTS"))),
                                       static_cast<int>(leadingWhole(valueOf(properties, "CONFIGURED_SPEED_MTS"))),
                                       valueOf(properties, "BANK_LOCATOR")});
    }
    return modules;
}

std::vector<MemoryModule> modulesFromDmidecode(const std::string &dmidecodeOutput)
{
    // Each "Memory Device" record runs up to the next record's "Handle" line.
    std::vector<SlotProperties> devices;
    bool inDevice = false;
    std::istringstream lines(dmidecodeOutput);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string text = trimWhitespace(line);
        const auto colon = text.find(": ");
        if (text == "Memory Device") {
            devices.emplace_back();
            inDevice = true;
        } else if (text.starts_with("Handle ")) {
            inDevice = false;
        } else if (inDevice && colon != std::string::npos) {
            devices.back().emplace(text.substr(0, colon), text.substr(colon + 2));
        }
    }
    std::vector<MemoryModule> modules;
    for (const SlotProperties &device : devices)
        if (const MemoryModule module = dmidecodeModule(device); module.sizeMB > 0)
            modules.push_back(module);
    return modules;
}

} // namespace tarvik
