#include "hardware/report_helper/machine_facts_reader.h"

#include "foundation/blanks.h"
#include "hardware/cpu_sysfs.h"
#include "hardware/cpuinfo.h"
#include "hardware/report_helper/memory_modules.h"
#include "hardware/system_files.h"

#include <charconv>
#include <set>
#include <sstream>
#include <utility>

namespace tarvik {

namespace {

// The DMI entries the report shows, by their file name in /sys/class/dmi/id.
// Serial numbers are left out on purpose: the summary of the report goes to
// public result databases.
const char *const ReportedDmiEntries[] = {
    "bios_vendor",  "bios_version", "bios_date",     "sys_vendor",     "product_name", "product_version",
    "board_vendor", "board_name",   "board_version", "chassis_vendor", "chassis_type",
};

std::optional<int> distinctCount(const std::vector<CpuinfoEntry> &cpus, const std::vector<std::string> &keys)
{
    std::set<std::vector<std::string>> seen;
    for (const CpuinfoEntry &cpu : cpus) {
        std::vector<std::string> identity;
        for (const std::string &key : keys) {
            if (cpu.field(key).empty())
                return std::nullopt;
            identity.push_back(cpu.field(key));
        }
        seen.insert(identity);
    }
    return seen.empty() ? std::nullopt : std::optional<int>(static_cast<int>(seen.size()));
}

// Total size of the caches of one level over the whole machine: caches that
// several CPUs share (same shared_cpu_list and type) count once.
std::optional<std::int64_t> cacheTotalKB(const std::filesystem::path &root, const std::vector<CpuinfoEntry> &cpus,
                                         int level)
{
    std::set<std::pair<std::string, std::string>> counted;
    std::optional<std::int64_t> total;
    for (const CpuinfoEntry &cpu : cpus) {
        for (const CacheInfo &cache : readCpuCaches(root, cpu.processor)) {
            const std::string sharers = cache.sharedCpus.empty() ? std::to_string(cpu.processor) : cache.sharedCpus;
            if (cache.level == level && counted.emplace(sharers, cache.type).second)
                total = total.value_or(0) + cache.sizeKB;
        }
    }
    return total;
}

ProcessorFacts processorFacts(const std::filesystem::path &root)
{
    const auto cpus = parseCpuinfo(readFileText(underRoot(root, "/proc/cpuinfo")).value_or(""));
    ProcessorFacts facts;
    if (cpus.empty())
        return facts;
    const CpuinfoEntry &first = cpus.front();
    facts.brand = first.field("model name");
    facts.vendor = first.field("vendor_id");
    facts.family = first.field("cpu family");
    facts.model = first.field("model");
    facts.stepping = first.field("stepping");
    facts.clockMHz = cpuClockMHz(root, first);
    facts.threads = static_cast<int>(cpus.size());
    facts.packages = distinctCount(cpus, {"physical id"});
    facts.cores = distinctCount(cpus, {"physical id", "core id"});
    facts.l2TotalKB = cacheTotalKB(root, cpus, 2);
    facts.l3TotalKB = cacheTotalKB(root, cpus, 3);
    return facts;
}

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

std::map<std::string, std::string> dmiEntries(const std::filesystem::path &root)
{
    std::map<std::string, std::string> entries;
    for (const char *name : ReportedDmiEntries)
        if (const auto value = readFirstLine(underRoot(root, "/sys/class/dmi/id") / name))
            entries[name] = *value;
    return entries;
}

} // namespace

MachineFacts collectMachineFacts(const std::filesystem::path &root, const std::string &udevInfo,
                                 const std::string &dmidecodeMemory)
{
    MachineFacts facts;
    facts.processor = processorFacts(root);
    facts.memoryTotalKB = memoryTotalKB(root);
    facts.modules = modulesFromDmidecode(dmidecodeMemory);
    if (facts.modules.empty())
        facts.modules = modulesFromUdev(udevInfo);
    facts.dmi = dmiEntries(root);
    return facts;
}

} // namespace tarvik
