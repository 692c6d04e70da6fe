#include "measurement/condition_sampler.h"

#include "hardware/system_files.h"

#include <charconv>

namespace tarvik::measurement {

namespace {

constexpr double KilohertzPerMegahertz = 1000;

std::optional<std::int64_t> readCount(const std::filesystem::path &path)
{
    const std::optional<std::string> line = readFirstLine(path);
    std::int64_t value = 0;
    if (!line || std::from_chars(line->data(), line->data() + line->size(), value).ec != std::errc())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int64_t> readThrottleCount(const std::filesystem::path &root)
{
    std::optional<std::int64_t> sum;
    for (int cpu : listedCpus(root))
        for (const char *counter : {"core_throttle_count", "package_throttle_count"})
            if (const std::optional<std::int64_t> count =
                    readCount(cpuFolder(root, cpu) / "thermal_throttle" / counter))
                sum = sum.value_or(0) + *count;
    return sum;
}

ConditionSampler::ConditionSampler(std::filesystem::path root, std::chrono::milliseconds interval)
    : m_root(std::move(root)),
      m_interval(interval)
{
    for (int cpu : listedCpus(m_root)) {
        std::filesystem::path file = cpuFolder(m_root, cpu) / "cpufreq/scaling_cur_freq";
        if (std::filesystem::exists(file))
            m_frequencyFiles.push_back(std::move(file));
    }
}

ConditionSampler::~ConditionSampler()
{
    if (m_thread.joinable())
        stop();
}

void ConditionSampler::start()
{
    if (m_thread.joinable())
        stop();
    m_conditions = RunConditions{readSystemState(m_root), {}, std::nullopt, std::nullopt};
    m_throttleBefore = readThrottleCount(m_root);
    m_stopping = false;
    // Read last, so that the setup above is not counted as the run's.
    m_ticksBefore = readTicks(m_root);
    m_thread = std::thread([this] { sampleUntilStopped(); });
}

RunConditions ConditionSampler::stop()
{
    const std::optional<TickReading> ticksAfter = readTicks(m_root);
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
    // A run shorter than the interval still gets one sample of its clock.
    sampleFrequencies();
    if (m_ticksBefore && ticksAfter)
        m_conditions.load = othersLoad(*m_ticksBefore, *ticksAfter);
    const std::optional<std::int64_t> throttleAfter = readThrottleCount(m_root);
    if (m_throttleBefore && throttleAfter)
        m_conditions.throttleEvents = *throttleAfter - *m_throttleBefore;
    return m_conditions;
}

void ConditionSampler::sampleUntilStopped()
{
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, m_interval, [this] { return m_stopping; }))
        sampleFrequencies();
}

void ConditionSampler::sampleFrequencies()
{
    for (const std::filesystem::path &file : m_frequencyFiles)
        if (const std::optional<std::int64_t> kilohertz = readCount(file))
            m_conditions.frequencySamplesMHz.push_back(static_cast<double>(*kilohertz) / KilohertzPerMegahertz);
}

} // namespace tarvik::measurement
