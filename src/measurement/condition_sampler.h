#pragma once

#include "measurement/cpu_times.h"
#include "measurement/run_conditions.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace tarvik::measurement {

// Watches the machine while a run goes on: a thread that sleeps between
// samples reads every CPU's current frequency; the processor-time and
// throttle counters are read once before and once after. The run itself is
// never touched, and a sample is a few small file reads, so the cost stays
// far below the run-to-run noise.
class ConditionSampler {
public:
    explicit ConditionSampler(std::filesystem::path root = "/",
                              std::chrono::milliseconds interval = std::chrono::milliseconds(100));
    ~ConditionSampler();
    ConditionSampler(const ConditionSampler &) = delete;
    ConditionSampler &operator=(const ConditionSampler &) = delete;

    // Reads the counters and the system's settings and starts sampling. A
    // sampling still going (its run failed to start) is dropped.
    void start();
    // Stops sampling (at once, without waiting out the interval) and gives
    // what was seen since start().
    RunConditions stop();

private:
    void sampleUntilStopped();
    void sampleFrequencies();

    std::filesystem::path m_root;
    std::chrono::milliseconds m_interval;
    std::vector<std::filesystem::path> m_frequencyFiles;
    RunConditions m_conditions;
    std::optional<TickReading> m_ticksBefore;
    std::optional<std::int64_t> m_throttleBefore;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

// The sum of the thermal-throttle counters of the CPUs; nothing when sysfs
// has none.
std::optional<std::int64_t> readThrottleCount(const std::filesystem::path &root);

} // namespace tarvik::measurement
