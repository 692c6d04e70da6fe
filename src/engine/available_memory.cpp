#include "engine/available_memory.h"

#include "hardware/system_files.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>
#include <string_view>

namespace tarvik {

namespace {

constexpr std::uint64_t BytesPerKilobyte = 1024; // the kernel's "kB"
constexpr std::uint64_t BytesPerCachedNumber = 2 * sizeof(double);

std::optional<std::uint64_t> wholeNumber(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    return value;
}

// The number after "key" in a file of "key value" lines, such as
// /proc/meminfo or a control group's memory.stat.
std::optional<std::uint64_t> keyedNumber(const std::string &text, std::string_view key)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.starts_with(key))
            continue;
        const auto digits = line.find_first_not_of(' ', key.size());
        return digits == std::string::npos ? std::nullopt : wholeNumber(std::string_view(line).substr(digits));
    }
    return std::nullopt;
}

std::optional<std::uint64_t> systemAvailable(const std::filesystem::path &root)
{
    const auto text = readFileText(underRoot(root, "/proc/meminfo"));
    const auto kilobytes = text ? keyedNumber(*text, "MemAvailable:") : std::nullopt;
    return kilobytes ? std::optional(*kilobytes * BytesPerKilobyte) : std::nullopt;
}

// What a group with a memory limit still lets its processes take: the limit
// less what they use, the file cache the kernel would drop first not counted.
std::optional<std::uint64_t> groupAllowance(const std::filesystem::path &group)
{
    const auto limit = readFirstLine(group / "memory.max");
    const auto maximum = limit ? wholeNumber(*limit) : std::nullopt; // "max" is no limit
    if (!maximum)
        return std::nullopt;
    const auto currentLine = readFirstLine(group / "memory.current");
    const std::uint64_t current = currentLine ? wholeNumber(*currentLine).value_or(0) : 0;
    const auto stat = readFileText(group / "memory.stat");
    const std::uint64_t dropCache = stat ? keyedNumber(*stat, "inactive_file ").value_or(0) : 0;
    const std::uint64_t used = current > dropCache ? current - dropCache : 0;
    return *maximum > used ? *maximum - used : 0;
}

// The least that the process's control group and the groups above it still
// allow, in the unified hierarchy; a container's limit lies there, and the
// kernel ends a process that passes it whatever the machine has free.
std::optional<std::uint64_t> controlGroupAllowance(const std::filesystem::path &root)
{
    const auto membership = readFileText(underRoot(root, "/proc/self/cgroup"));
    if (!membership)
        return std::nullopt;
    const auto at = membership->find("0::/");
    if (at == std::string::npos || (at != 0 && (*membership)[at - 1] != '\n'))
        return std::nullopt;
    const auto end = membership->find('\n', at);
    std::filesystem::path group = membership->substr(at + 3, end == std::string::npos ? end : end - at - 3);
    std::optional<std::uint64_t> least;
    for (;; group = group.parent_path()) {
        const auto allowance = groupAllowance(underRoot(root, "/sys/fs/cgroup" / group.relative_path()));
        if (allowance && (!least || *allowance < *least))
            least = allowance;
        if (group == group.parent_path())
            return least;
    }
}

} // namespace

std::optional<std::uint64_t> availableMemory(const std::filesystem::path &root)
{
    const auto system = systemAvailable(root);
    const auto group = controlGroupAllowance(root);
    if (system && group)
        return std::min(*system, *group);
    return system ? system : group;
}

std::uint64_t cacheModeBytes(double N)
{
    return (static_cast<std::uint64_t>(N) + 1) * BytesPerCachedNumber;
}

} // namespace tarvik
