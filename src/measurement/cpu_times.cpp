#include "measurement/cpu_times.h"

#include "hardware/system_files.h"

#include <algorithm>
#include <sstream>

namespace tarvik::measurement {

namespace {
enum StatField { User, Nice, System, Idle, IoWait, Irq, SoftIrq, Steal, StatFields };
// utime and stime, counted from the field after the command's parenthesis.
constexpr int ProcessUserField = 11;
} // namespace

std::optional<MachineTicks> parseMachineTicks(const std::string &procStat)
{
    std::istringstream lines(procStat);
    std::string label;
    if (!(lines >> label) || label != "cpu")
        return std::nullopt;
    std::int64_t fields[StatFields] = {};
    for (std::int64_t &field : fields)
        if (!(lines >> field))
            return std::nullopt;
    MachineTicks ticks;
    ticks.busy = fields[User] + fields[Nice] + fields[System] + fields[Irq] + fields[SoftIrq] + fields[Steal];
    ticks.total = ticks.busy + fields[Idle] + fields[IoWait];
    return ticks;
}

std::optional<std::int64_t> parseProcessTicks(const std::string &processStat)
{
    // The command name may hold blanks and parentheses; it ends at the last ")".
    const std::size_t nameEnd = processStat.rfind(')');
    if (nameEnd == std::string::npos)
        return std::nullopt;
    std::istringstream fields(processStat.substr(nameEnd + 1));
    std::string field;
    for (int i = 0; i < ProcessUserField; ++i)
        fields >> field;
    std::int64_t user = 0;
    std::int64_t system = 0;
    if (!(fields >> user >> system))
        return std::nullopt;
    return user + system;
}

std::optional<TickReading> readTicks(const std::filesystem::path &root)
{
    const std::optional<std::string> machine = readFileText(underRoot(root, "/proc/stat"));
    const std::optional<std::string> own = readFileText(underRoot(root, "/proc/self/stat"));
    if (!machine || !own)
        return std::nullopt;
    const std::optional<MachineTicks> machineTicks = parseMachineTicks(*machine);
    const std::optional<std::int64_t> ownTicks = parseProcessTicks(*own);
    if (!machineTicks || !ownTicks)
        return std::nullopt;
    return TickReading{*machineTicks, *ownTicks};
}

std::optional<OthersLoad> othersLoad(const TickReading &before, const TickReading &after)
{
    const std::int64_t total = after.machine.total - before.machine.total;
    if (total < MinimumTicks)
        return std::nullopt;
    const std::int64_t busy = after.machine.busy - before.machine.busy;
    const std::int64_t own = after.own - before.own;
    // The two counters tick apart, so the program's own time can exceed the
    // machine's busy time by a tick or two.
    const std::int64_t others = std::clamp<std::int64_t>(busy - own, 0, total);
    return OthersLoad{others, total};
}

} // namespace tarvik::measurement
