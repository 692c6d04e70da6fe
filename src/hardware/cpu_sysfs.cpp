#include "hardware/cpu_sysfs.h"

#include "hardware/cpuinfo.h"
#include "hardware/system_files.h"

#include <charconv>

namespace tarvik {

namespace {

std::filesystem::path cpuFolder(const std::filesystem::path &root, int cpu)
{
    return underRoot(root, "/sys/devices/system/cpu") / ("cpu" + std::to_string(cpu));
}

// A whole decimal number filling all of `text` but an allowed unit suffix.
std::optional<std::int64_t> wholeNumber(const std::string &text, std::string &suffix)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    suffix.assign(end, text.data() + text.size());
    return value;
}

// sysfs writes cache sizes as "1024K"; "M" is accepted as well.
std::optional<std::int64_t> cacheSizeKB(const std::string &text)
{
    std::string suffix;
    const auto value = wholeNumber(text, suffix);
    if (!value)
        return std::nullopt;
    if (suffix == "K")
        return *value;
    if (suffix == "M")
        return *value * 1024;
    return std::nullopt;
}

std::optional<double> frequencyFileMHz(const std::filesystem::path &path)
{
    const auto line = readFirstLine(path);
    std::string suffix;
    const auto kHz = line ? wholeNumber(*line, suffix) : std::nullopt;
    if (!kHz || !suffix.empty() || *kHz <= 0)
        return std::nullopt;
    return static_cast<double>(*kHz) / 1000.0;
}

std::optional<double> cpuinfoMHz(const CpuinfoEntry &cpu)
{
    const std::string text = cpu.field("cpu MHz");
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

std::vector<CacheInfo> readCpuCaches(const std::filesystem::path &root, int cpu)
{
    std::vector<CacheInfo> caches;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(cpuFolder(root, cpu) / "cache", error)) {
        if (entry.path().filename().string().rfind("index", 0) != 0)
            continue;
        const auto levelText = readFirstLine(entry.path() / "level");
        const auto sizeText = readFirstLine(entry.path() / "size");
        std::string noSuffix;
        const auto level = levelText ? wholeNumber(*levelText, noSuffix) : std::nullopt;
        const auto sizeKB = sizeText ? cacheSizeKB(*sizeText) : std::nullopt;
        if (!level || !noSuffix.empty() || !sizeKB)
            continue;
        caches.push_back(CacheInfo{static_cast<int>(*level), readFirstLine(entry.path() / "type").value_or(""), *sizeKB,
                                   readFirstLine(entry.path() / "shared_cpu_list").value_or("")});
    }
    return caches;
}

std::optional<std::int64_t> levelTwoCacheKB(const std::filesystem::path &root, int cpu)
{
    std::optional<std::int64_t> total;
    for (const CacheInfo &cache : readCpuCaches(root, cpu))
        if (cache.level == 2)
            total = total.value_or(0) + cache.sizeKB;
    return total;
}

std::optional<double> cpuClockMHz(const std::filesystem::path &root, const CpuinfoEntry &cpu)
{
    const auto cpufreq = cpuFolder(root, cpu.processor) / "cpufreq";
    if (const auto current = frequencyFileMHz(cpufreq / "scaling_cur_freq"))
        return current;
    if (const auto maximum = frequencyFileMHz(cpufreq / "cpuinfo_max_freq"))
        return maximum;
    return cpuinfoMHz(cpu);
}

} // namespace tarvik
