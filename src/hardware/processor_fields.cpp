#include "hardware/processor_fields.h"

#include "foundation/blanks.h"
#include "foundation/protocol.h"
#include "protocol/processor_record.h"

#include <string>

namespace tarvik {

namespace {

const std::string LineBreak(LineEnd);

// No clock counter exists on this platform, so the measured clock the check
// is given is always 0 and the reported clock wins.
constexpr float MeasuredClock = 0.0f;

std::string cacheText(const ProcessorInfo &cpu)
{
    return cpu.L2CacheSize ? std::to_string(*cpu.L2CacheSize) : std::string();
}

std::string processorBlock(int index, const ProcessorInfo &cpu, std::int32_t clock)
{
    return "CPU Found: CPU" + std::to_string(index) + LineBreak + "Name:     " + trimBlanks(cpu.Name) + LineBreak +
           "Speed:    " + std::to_string(clock) + " MHz" + LineBreak + "L2 Cache: " + cacheText(cpu) + " KB" +
           LineBreak;
}

// The server record in its scan form: name, clock and level-2 cache.
std::string scanRecord(const ProcessorInfo &cpu, std::int32_t clock)
{
    ProcessorRecord record;
    record.form = ProcessorRecord::Form::Scan;
    record.specification = trimBlanks(cpu.Name);
    record.clock = std::to_string(clock);
    record.l2Cache = cacheText(cpu);
    return recordText(record);
}

} // namespace

int describeProcessors(const std::vector<ProcessorInfo> &processors, ClockCheck &clockCheck, char decimalSeparator,
                       const LineSink &print, HardwareFields &fields)
{
    fields.CPU_info.clear();
    fields.cpu_string.clear();
    int index = 0;
    for (const ProcessorInfo &cpu : processors) {
        // Some processors and virtual machines give no clock at all; such a
        // processor still counts, with a clock of 0.
        const std::int32_t reportedClock = cpu.CurrentClockSpeed.value_or(0);
        const auto checkedClock = [&] {
            return clockCheck.check(reportedClock, MeasuredClock, decimalSeparator, print);
        };
        const std::int32_t clock = checkedClock();
        fields.cpu_string += processorBlock(index, cpu, clock);
        fields.hwbotcpu = trimBlanks(cpu.Name);
        fields.hwbotcpuclk = std::to_string(clock);
        fields.hwbot_send_cpu = trimBlanks(cpu.Name);
        // The record asks the check once more; it warns at most once, so
        // this adds no line.
        if (index == 0)
            fields.CPU_info = scanRecord(cpu, checkedClock());
        ++index;
    }
    return index;
}

} // namespace tarvik
