// What watching the machine costs a 32M run: runs with the condition
// sampler started around them alternate with runs without it, so that a
// change of the machine's load meets both alike, and each goes first in
// every other pair; the ratio of the medians is the cost (goal: under 0.5 %).
// On a shared machine the runs' own spread can hide a cost that small, so
// the processor time the sampler takes on its own, over an idle stretch, is
// given too: as a share of what a run on every thread gets, it is the cost
// without the noise.

#include "in_process_console.h"
#include "measurement/condition_sampler.h"
#include "sample_statistics.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace tarvik::bench;

namespace {
constexpr int Alternations = 8;
constexpr std::chrono::seconds IdleStretch(3);

double timedRun(InProcessConsole &console, std::int16_t threads)
{
    return console.timeQuietRun(Test32M, threads).wallSeconds;
}
} // namespace

int main(int argc, char **argv)
{
    InProcessConsole console(argc, argv);
    const std::int16_t threads = InProcessConsole::machineThreads();
    tarvik::measurement::ConditionSampler sampler;

    std::vector<double> plain;
    std::vector<double> sampled;
    for (int i = 0; i < Alternations; ++i) {
        const bool plainFirst = i % 2 == 0;
        if (plainFirst)
            plain.push_back(timedRun(console, threads));
        sampler.start();
        sampled.push_back(timedRun(console, threads));
        sampler.stop();
        if (!plainFirst)
            plain.push_back(timedRun(console, threads));
    }

    std::vector<double> pairRatios;
    for (std::size_t i = 0; i < plain.size(); ++i)
        pairRatios.push_back(sampled[i] / plain[i]);
    const RunTiming idle = timed([&sampler] {
        sampler.start();
        std::this_thread::sleep_for(IdleStretch);
        sampler.stop();
    });

    const double ratio = median(sampled) / median(plain);
    std::printf("sampling_threads: %d threads\n", threads);
    std::printf("sampling_plain_median: %.4f s\n", median(plain));
    std::printf("sampling_sampled_median: %.4f s\n", median(sampled));
    std::printf("sampling_plain_cv: %.2f %%\n", spreadOf(plain).coefficientOfVariation * 100);
    std::printf("sampling_ratio: %.4f\n", ratio);
    std::printf("sampling_cost: %.2f %%\n", (ratio - 1) * 100);
    std::printf("sampling_pair_ratio_median: %.4f\n", median(pairRatios));
    std::printf("sampling_fastest_ratio: %.4f\n", fastest(sampled) / fastest(plain));
    std::printf("sampling_own_cpu_share: %.4f %%\n", idle.coresUsed() / threads * 100);
    return 0;
}
