#include "engine/available_memory.h"

#include "hardware/system_files.h"

#include <charconv>
#include <sstream>
#include <string>

namespace tarvik {

namespace {

constexpr std::uint64_t BytesPerKilobyte = 1024; // the kernel's "kB"
constexpr std::uint64_t BytesPerCachedNumber = 2 * sizeof(double);

} // namespace

std::optional<std::uint64_t> availableMemory(const std::filesystem::path &root)
{
    const auto text = readFileText(underRoot(root, "/proc/meminfo"));
    if (!text)
        return std::nullopt;
    std::istringstream lines(*text);
    std::string line;
    const std::string key = "MemAvailable:";
    while (std::getline(lines, line)) {
        if (!line.starts_with(key))
            continue;
        const auto digits = line.find_first_not_of(' ', key.size());
        std::uint64_t kilobytes = 0;
        if (digits == std::string::npos ||
            std::from_chars(line.data() + digits, line.data() + line.size(), kilobytes).ec != std::errc())
            return std::nullopt;
        return kilobytes * BytesPerKilobyte;
    }
    return std::nullopt;
}

std::uint64_t cacheModeBytes(double N)
{
    return (static_cast<std::uint64_t>(N) + 1) * BytesPerCachedNumber;
}

} // namespace tarvik
