// Peak resident memory of the real program running the 32M test, without and
// with cache mode, each in a child process of its own so that one run's
// high-water mark cannot hide in another's. The idle figure (start-up and
// exit only) shows what the program holds before any test.

#include "program_child.h"

#include <cstdio>
#include <stdexcept>
#include <string>

using namespace tarvik::bench;

namespace {

constexpr double NumbersIn32M = 33554432;
constexpr double BytesPerMegabyte = 1e6;

// Runs the program with `commands` and returns its peak in bytes; a run that
// did not end the way `expectedLine` says cannot be trusted as a figure.
long long peakOf(const std::string &commands, const std::string &expectedLine)
{
    const ChildRun run = runProgram(TARVIK_BINARY, commands);
    if (!run.exitedCleanly || run.output.find(expectedLine) == std::string::npos)
        throw std::runtime_error("the run of \"" + commands + "\" went wrong; it printed:\n" + run.output);
    return run.peakResidentBytes;
}

void printMegabytes(const char *name, long long bytes)
{
    std::printf("%s: %.1f MB\n", name, bytes / BytesPerMegabyte);
}

} // namespace

int main()
{
    try {
        const std::string success = "Test completed successfully.";
        const long long idle = peakOf("exit\n", "Type help for instructions.");
        const long long withoutCache = peakOf("st 6\nexit\n", success);
        const long long withCache = peakOf("tc\nst 6\nexit\n", success);

        printMegabytes("memory_idle_peak", idle);
        printMegabytes("memory_32m_peak", withoutCache);
        printMegabytes("memory_32m_cache_peak", withCache);
        std::printf("memory_cache_bytes_per_number: %.2f B\n", (withCache - withoutCache) / NumbersIn32M);
        printMegabytes("memory_cache_limit", static_cast<long long>(16 * NumbersIn32M + 100 * BytesPerMegabyte));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
