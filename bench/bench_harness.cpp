// The run's own cost: a whole quiet 32M test with one worker (thread start,
// the worker's calls to the console, its clock checks) beside the bare kernel
// loop over the same numbers, in the same process. harness_over_kernel is the
// ratio of their medians; 1.00 means the run adds nothing measurable.

#include "in_process_console.h"
#include "kernel_loop.h"
#include "sample_statistics.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace tarvik::bench;

namespace {

constexpr int Repetitions = 7;

double timeBareLoop()
{
    const auto start = std::chrono::steady_clock::now();
    sumOverRange<kernelSqrt>();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

double best(const std::vector<double> &samples)
{
    return *std::min_element(samples.begin(), samples.end());
}

} // namespace

int main(int argc, char **argv)
{
    InProcessConsole console(argc, argv);

    // Alternating the two spreads slow phases of a busy machine over both.
    std::vector<double> runs;
    std::vector<double> bareLoops;
    for (int i = 0; i < Repetitions; ++i) {
        runs.push_back(console.timeQuietRun(Test32M, 1));
        bareLoops.push_back(timeBareLoop());
    }

    std::printf("harness_run_median: %.4f s\n", median(runs));
    std::printf("bare_loop_median: %.4f s\n", median(bareLoops));
    std::printf("harness_over_kernel: %.4f ratio\n", median(runs) / median(bareLoops));
    std::printf("harness_over_kernel_best: %.4f ratio\n", best(runs) / best(bareLoops));
    return 0;
}
