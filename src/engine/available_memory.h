#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace tarvik {

// The memory a new allocation may take without swapping, in bytes: the
// kernel's own estimate ("MemAvailable" in /proc/meminfo under `root`), or
// less where the process's control group has a memory limit (memory.max)
// closer to its use; nothing when neither says.
std::optional<std::uint64_t> availableMemory(const std::filesystem::path &root = "/");

// Where a run asks for the available memory; tests give a machine of their own.
using MemoryProbe = std::function<std::optional<std::uint64_t>()>;

// What a cache-mode run over the numbers 0..N keeps: each number's root in
// its worker's results and again in the console's copy.
std::uint64_t cacheModeBytes(double N);

} // namespace tarvik
