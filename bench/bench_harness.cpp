// The run's own cost: a whole quiet 32M test with one worker (thread start,
// the worker's loop around the kernel, its calls to the console and clock
// checks) beside the bare kernel loop over the same numbers, in the same
// process. harness_over_kernel is the ratio of their median wall times;
// harness_cpu_over_kernel the same for processor time, which leaves out the
// time the worker waited for the console or lost to other processes.

#include "in_process_console.h"
#include "kernel_loop.h"
#include "sample_statistics.h"

#include <cstdio>
#include <vector>

using namespace tarvik::bench;

namespace {

constexpr int Repetitions = 7;

struct Samples {
    std::vector<double> wall;
    std::vector<double> cpu;
    void add(const RunTiming &timing)
    {
        wall.push_back(timing.wallSeconds);
        cpu.push_back(timing.cpuSeconds);
    }
};

} // namespace

int main(int argc, char **argv)
{
    InProcessConsole console(argc, argv);

    // Alternating the two spreads slow phases of a busy machine over both.
    Samples runs;
    Samples bareLoops;
    for (int i = 0; i < Repetitions; ++i) {
        runs.add(console.timeQuietRun(Test32M, 1));
        bareLoops.add(timed([] { sumOverRange<kernelSqrt>(); }));
    }

    std::printf("harness_run_median: %.4f s\n", median(runs.wall));
    std::printf("bare_loop_median: %.4f s\n", median(bareLoops.wall));
    std::printf("harness_over_kernel: %.4f ratio\n", median(runs.wall) / median(bareLoops.wall));
    std::printf("harness_over_kernel_best: %.4f ratio\n", fastest(runs.wall) / fastest(bareLoops.wall));
    std::printf("harness_cpu_over_kernel: %.4f ratio\n", median(runs.cpu) / median(bareLoops.cpu));
    return 0;
}
