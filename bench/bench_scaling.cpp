// How the 32M test scales from one worker to two: t1/t2 over alternating
// pairs of runs, so a slow phase of a busy machine hits both sides of a pair.
// The spread of the pair ratios says how far to trust the median, and the
// cores the two-worker runs got say whether the machine had two to give.

#include "in_process_console.h"
#include "sample_statistics.h"

#include <cstdio>
#include <vector>

using namespace tarvik::bench;

namespace {
constexpr int Pairs = 7;
} // namespace

int main(int argc, char **argv)
{
    InProcessConsole console(argc, argv);

    std::vector<double> oneThread;
    std::vector<double> twoThreads;
    std::vector<double> twoThreadCores;
    std::vector<double> ratios;
    for (int i = 0; i < Pairs; ++i) {
        oneThread.push_back(console.timeQuietRun(Test32M, 1).wallSeconds);
        const RunTiming two = console.timeQuietRun(Test32M, 2);
        twoThreads.push_back(two.wallSeconds);
        twoThreadCores.push_back(two.coresUsed());
        ratios.push_back(oneThread.back() / twoThreads.back());
    }

    const Spread spread = spreadOf(ratios);
    std::printf("scaling_t1_median: %.4f s\n", median(oneThread));
    std::printf("scaling_t2_median: %.4f s\n", median(twoThreads));
    std::printf("scaling_t1_over_t2: %.4f ratio\n", spread.median);
    std::printf("scaling_t1_over_t2_min: %.4f ratio\n", spread.min);
    std::printf("scaling_t1_over_t2_max: %.4f ratio\n", spread.max);
    std::printf("scaling_t1_over_t2_cv: %.2f %%\n", spread.coefficientOfVariation * 100);
    // The least disturbed run of each kind, for a machine others are using.
    std::printf("scaling_t1_over_t2_best: %.4f ratio\n", fastest(oneThread) / fastest(twoThreads));
    std::printf("scaling_t2_cores_used: %.2f cores\n", median(twoThreadCores));
    return 0;
}
