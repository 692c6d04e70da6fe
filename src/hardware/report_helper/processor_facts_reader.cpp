#include "hardware/report_helper/processor_facts_reader.h"

#include "hardware/cpu_sysfs.h"
#include "hardware/cpuinfo.h"
#include "hardware/system_files.h"

#include <charconv>
#include <cstdio>
#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

namespace tarvik {

namespace {

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

// The caches of one level and type over the whole machine from sysfs:
// caches that several CPUs share (same shared_cpu_list) count once.
std::optional<CacheFacts> sysfsCaches(const std::filesystem::path &root, const std::vector<CpuinfoEntry> &cpus,
                                      int level, const std::set<std::string> &types)
{
    std::set<std::pair<std::string, std::string>> counted;
    std::optional<CacheFacts> caches;
    for (const CpuinfoEntry &cpu : cpus) {
        for (const CacheInfo &cache : readCpuCaches(root, cpu.processor)) {
            const std::string sharers = cache.sharedCpus.empty() ? std::to_string(cpu.processor) : cache.sharedCpus;
            if (cache.level != level || !types.contains(cache.type) || !counted.emplace(sharers, cache.type).second)
                continue;
            if (!caches)
                caches = CacheFacts{0, cache.sizeKB, 0, 0};
            // Caches of one level normally have one size; where they do not
            // (hybrid designs), the sum is kept as one block.
            if (cache.sizeKB == caches->eachKB) {
                ++caches->count;
            } else {
                caches = CacheFacts{1, caches->totalKB() + cache.sizeKB, 0, 0};
            }
        }
    }
    return caches;
}

// The cache as CPUID describes one of it, `count` times over.
std::optional<CacheFacts> cpuidCaches(const std::optional<CpuidCache> &cache, int count)
{
    if (!cache)
        return std::nullopt;
    return CacheFacts{count, cache->sizeKB, cache->ways, cache->lineBytes};
}

// sysfs gives the sizes and counts, CPUID the geometry; either may be missing.
std::optional<CacheFacts> merged(std::optional<CacheFacts> fromSysfs, const std::optional<CacheFacts> &fromCpuid)
{
    if (!fromSysfs)
        return fromCpuid;
    if (fromCpuid) {
        fromSysfs->ways = fromCpuid->ways;
        fromSysfs->lineBytes = fromCpuid->lineBytes;
    }
    return fromSysfs;
}

std::string joined(const std::vector<std::string> &parts)
{
    std::string text;
    for (const std::string &part : parts) {
        if (!text.empty())
            text += ", ";
        text += part;
    }
    return text;
}

// Instruction sets by the flag cpuinfo lists them under, in the order the
// report names them; the names match the CPUID identity's.
const std::pair<const char *, const char *> InstructionSets[] = {
    {"mmx", "MMX"},   {"mmxext", "MMX(+)"},   {"3dnow", "3DNow!"},  {"sse", "SSE"},       {"sse2", "SSE2"},
    {"pni", "SSE3"},  {"ssse3", "SSSE3"},     {"sse4_1", "SSE4.1"}, {"sse4_2", "SSE4.2"}, {"sse4a", "SSE4A"},
    {"lm", "x86-64"}, {"vmx", "VT-x"},        {"svm", "AMD-V"},     {"aes", "AES"},       {"avx", "AVX"},
    {"avx2", "AVX2"}, {"avx512f", "AVX512F"}, {"fma", "FMA3"},      {"fma4", "FMA4"},     {"sha_ni", "SHA"},
};

// What either source lists: the kernel's flags show what the system enables
// (libcpuid leaves out AVX-512 under some hypervisors that offer it), CPUID
// what the processor has where cpuinfo lists no flags.
std::string instructionSets(const std::string &cpuinfoFlags, const std::vector<std::string> &fromCpuid)
{
    std::set<std::string> flags;
    std::istringstream words(cpuinfoFlags);
    for (std::string word; words >> word;)
        flags.insert(word);
    std::vector<std::string> sets;
    for (const auto &[flag, name] : InstructionSets)
        if (flags.contains(flag) || std::find(fromCpuid.begin(), fromCpuid.end(), name) != fromCpuid.end())
            sets.emplace_back(name);
    return joined(sets);
}

std::string hexNumber(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

// ARM numbers a core's revision as variant and revision: "r0p3".
std::string armRevision(const CpuinfoEntry &cpu)
{
    const std::string variant = cpu.field("CPU variant");
    const std::string revision = cpu.field("CPU revision");
    int variantNumber = 0;
    const char *digits = variant.data() + 2;
    const char *end = variant.data() + variant.size();
    if (!variant.starts_with("0x") || revision.empty() || std::from_chars(digits, end, variantNumber, 16).ptr != end ||
        digits == end)
        return {};
    std::string text = "r";
    text += std::to_string(variantNumber);
    text += "p";
    text += revision;
    return text;
}

void addCpuidIdentity(ProcessorFacts &facts, const CpuidIdentity &cpuid)
{
    if (facts.brand.empty())
        facts.brand = cpuid.brand;
    if (facts.vendor.empty())
        facts.vendor = cpuid.vendor;
    facts.codename = cpuid.codename;
    facts.family = hexNumber(cpuid.family);
    facts.model = hexNumber(cpuid.model);
    if (facts.extFamily.empty())
        facts.extFamily = std::to_string(cpuid.extFamily);
    if (facts.extModel.empty())
        facts.extModel = std::to_string(cpuid.extModel);
    if (facts.stepping.empty())
        facts.stepping = std::to_string(cpuid.stepping);
    if (!facts.cores && cpuid.cores > 0)
        facts.cores = cpuid.cores * facts.packages.value_or(1);
}

ProcessorFacts cpuinfoFacts(const std::filesystem::path &root, const std::vector<CpuinfoEntry> &cpus)
{
    ProcessorFacts facts;
    if (cpus.empty())
        return facts;
    const CpuinfoEntry &first = cpus.front();
    facts.brand = processorName(first);
    facts.vendor = first.field("vendor_id");
    facts.extFamily = first.field("cpu family");
    facts.extModel = first.field("model");
    facts.revision = armRevision(first);
    facts.stepping = first.field("stepping").empty() ? facts.revision : first.field("stepping");
    facts.clockMHz = cpuClockMHz(root, first);
    facts.threads = static_cast<int>(cpus.size());
    facts.packages = distinctCount(cpus, {"physical id"});
    facts.cores = distinctCount(cpus, {"physical id", "core id"});
    return facts;
}

// Cores, or failing that threads, each have their own level-1 and level-2
// caches; how many level-3 caches there are only sysfs knows.
void addCaches(ProcessorFacts &facts, const std::filesystem::path &root, const std::vector<CpuinfoEntry> &cpus,
               const std::optional<CpuidIdentity> &cpuid)
{
    const int perCore = facts.cores.value_or(facts.threads);
    const auto fromCpuid = [&](std::optional<CpuidCache> CpuidIdentity::*level, int count) {
        return cpuidCaches(cpuid ? (*cpuid).*level : std::nullopt, count);
    };
    const std::set<std::string> anyType = {"Unified", "Data", "Instruction"};
    facts.l1Data = merged(sysfsCaches(root, cpus, 1, {"Data"}), fromCpuid(&CpuidIdentity::l1Data, perCore));
    facts.l1Instruction =
        merged(sysfsCaches(root, cpus, 1, {"Instruction"}), fromCpuid(&CpuidIdentity::l1Instruction, perCore));
    auto l2 = fromCpuid(&CpuidIdentity::l2, perCore);
    if (const auto lineKB = cpus.empty() ? std::nullopt : levelTwoCacheLineKB(cpus.front()))
        l2 = CacheFacts{perCore, *lineKB, l2 ? l2->ways : 0, l2 ? l2->lineBytes : 0};
    facts.l2 = merged(sysfsCaches(root, cpus, 2, anyType), l2);
    facts.l3 = merged(sysfsCaches(root, cpus, 3, anyType), fromCpuid(&CpuidIdentity::l3, 0));
}

} // namespace

ProcessorFacts readProcessorFacts(const std::filesystem::path &root, const std::optional<CpuidIdentity> &cpuid)
{
    const auto cpus = parseCpuinfo(readFileText(underRoot(root, "/proc/cpuinfo")).value_or(""));
    ProcessorFacts facts = cpuinfoFacts(root, cpus);
    if (cpuid)
        addCpuidIdentity(facts, *cpuid);
    facts.instructions = instructionSets(cpus.empty() ? std::string() : cpus.front().field("flags"),
                                         cpuid ? cpuid->instructionSets : std::vector<std::string>());
    addCaches(facts, root, cpus, cpuid);
    return facts;
}

} // namespace tarvik
