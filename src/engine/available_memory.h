#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace tarvik {

// The memory a new allocation may take without swapping, by the kernel's own
// estimate ("MemAvailable" in /proc/meminfo under `root`), in bytes; nothing
// when the kernel does not say.
std::optional<std::uint64_t> availableMemory(const std::filesystem::path &root = "/");

// Where a run asks for the available memory; tests give a machine of their own.
using MemoryProbe = std::function<std::optional<std::uint64_t>()>;

// What a cache-mode run over the numbers 0..N keeps: each number's root in
// its worker's results and again in the console's copy.
std::uint64_t cacheModeBytes(double N);

} // namespace tarvik
