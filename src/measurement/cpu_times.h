#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tarvik::measurement {

// Processor time in the kernel's clock ticks (USER_HZ), the unit both
// /proc/stat and /proc/<pid>/stat count in, so the two can be subtracted.
struct MachineTicks {
    std::int64_t busy = 0;  // user, nice, system, irq, softirq and steal of all CPUs
    std::int64_t total = 0; // busy plus idle and iowait
};

// The "cpu" line of /proc/stat's text. Steal counts as busy: it is time a
// hypervisor gave to other guests, which the run lost just the same.
std::optional<MachineTicks> parseMachineTicks(const std::string &procStat);

// User plus system ticks of a process, from its /proc/<pid>/stat text.
std::optional<std::int64_t> parseProcessTicks(const std::string &processStat);

// Both at once, from <root>/proc/stat and <root>/proc/self/stat.
struct TickReading {
    MachineTicks machine;
    std::int64_t own = 0;
};
std::optional<TickReading> readTicks(const std::filesystem::path &root);

// The processor time other processes used between two readings, out of
// all the machine had; sums of these over several runs stay meaningful.
struct OthersLoad {
    std::int64_t others = 0;
    std::int64_t total = 0;
    double share() const { return total > 0 ? static_cast<double>(others) / static_cast<double>(total) : 0; }
    bool operator==(const OthersLoad &) const = default;
};

// Nothing when fewer than MinimumTicks passed between the readings: a tick
// is 10 ms of one CPU, too coarse to tell the share of a shorter window.
inline constexpr std::int64_t MinimumTicks = 50;
std::optional<OthersLoad> othersLoad(const TickReading &before, const TickReading &after);

} // namespace tarvik::measurement
