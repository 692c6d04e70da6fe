// Run-to-run spread of the 32M test with the machine's thread count, the way
// a user runs it: consecutive runs, nothing in between. The cores the runs
// got tell a busy machine apart from a noisy program.

#include "in_process_console.h"
#include "sample_statistics.h"

#include <cstdio>
#include <vector>

using namespace tarvik::bench;

namespace {
constexpr int Runs = 5;
} // namespace

int main(int argc, char **argv)
{
    InProcessConsole console(argc, argv);
    const std::int16_t threads = InProcessConsole::machineThreads();

    std::vector<double> times;
    std::vector<double> cores;
    for (int i = 0; i < Runs; ++i) {
        const RunTiming run = console.timeQuietRun(Test32M, threads);
        times.push_back(run.wallSeconds);
        cores.push_back(run.coresUsed());
    }

    const Spread spread = spreadOf(times);
    std::printf("noise_threads: %d threads\n", threads);
    std::printf("noise_min: %.4f s\n", spread.min);
    std::printf("noise_median: %.4f s\n", spread.median);
    std::printf("noise_max: %.4f s\n", spread.max);
    std::printf("noise_cv: %.2f %%\n", spread.coefficientOfVariation * 100);
    std::printf("noise_cores_used: %.2f cores\n", median(cores));
    return 0;
}
