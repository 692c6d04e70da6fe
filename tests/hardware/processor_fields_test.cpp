#include "hardware/clock_check.h"
#include "hardware/processor_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvik;

namespace {

struct CollectedLines {
    std::vector<std::string> lines;
    LineSink sink()
    {
        return [this](const std::string &line) { lines.push_back(line); };
    }
};

} // namespace

TEST(ClockCheck, BelievesOnlyAPlausibleMeasurement)
{
    struct Case {
        std::int32_t reported;
        float measured;
        std::int32_t expected;
    } cases[] = {
        {2000, 300.0f, 2000},                         // the 300 MHz bound rejects
        {1505, 301.0f, 1505},                         // 1505 >= 5 x 301 rejects
        {1504, 301.0f, 301},   {2000, 1800.5f, 1800}, // half to even
        {2000, 1801.5f, 1802}, {2400, 0.0f, 2400},
    };
    for (const Case &c : cases) {
        ClockCheck check;
        CollectedLines out;
        EXPECT_EQ(check.check(c.reported, c.measured, '.', out.sink()), c.expected)
            << c.reported << " / " << c.measured;
    }
}

TEST(ClockCheck, WarnsOnceAndNeverForAMissingMeasurement)
{
    ClockCheck check;
    CollectedLines out;
    check.check(2000, 250.5f, ',', out.sink());
    check.check(2000, 0.0f, ',', out.sink());
    EXPECT_EQ(out.lines,
              std::vector<std::string>{"rdtsc returned an invalid clock rate (250,5) - using system clock instead"});

    ClockCheck silent;
    EXPECT_EQ(silent.check(1200, ClockCheck::NoMeasurement, '.', out.sink()), 1200);
    EXPECT_TRUE(silent.warned());
    silent.check(1200, 0.0f, '.', out.sink());
    EXPECT_EQ(out.lines.size(), 1u);
}

TEST(ProcessorFields, FirstProcessorInRecordLastInNamesEveryOneInDescription)
{
    const std::vector<ProcessorInfo> cpus = {
        {"  AMD Ryzen 5 3600 6-Core Processor  ", 3600, 512},
        {"Second CPU", 2200, std::nullopt},
    };
    ClockCheck check;
    CollectedLines out;
    HardwareFields fields;
    fields.mem_type = "DDR4";

    EXPECT_EQ(describeProcessors(cpus, check, '.', out.sink(), fields), 2);

    EXPECT_EQ(fields.cpu_string,
              "CPU Found: CPU0\r\nName:     AMD Ryzen 5 3600 6-Core Processor\r\nSpeed:    3600 MHz\r\n"
              "L2 Cache: 512 KB\r\n"
              "CPU Found: CPU1\r\nName:     Second CPU\r\nSpeed:    2200 MHz\r\nL2 Cache:  KB\r\n");
    EXPECT_EQ(fields.CPU_info, "AMD Ryzen 5 3600 6-Core Processor\x01"
                               "3600\x01"
                               "512\x01");
    EXPECT_EQ(fields.hwbotcpu, "Second CPU");
    EXPECT_EQ(fields.hwbot_send_cpu, "Second CPU");
    EXPECT_EQ(fields.hwbotcpuclk, "2200");
    EXPECT_EQ(fields.mem_type, "DDR4");
    EXPECT_EQ(out.lines,
              std::vector<std::string>{"rdtsc returned an invalid clock rate (0) - using system clock instead"});
}

TEST(ProcessorFields, NoProcessorsLeaveEmptyDescriptions)
{
    ClockCheck check;
    CollectedLines out;
    HardwareFields fields;
    fields.CPU_info = "old";
    fields.cpu_string = "old";
    EXPECT_EQ(describeProcessors({}, check, '.', out.sink(), fields), 0);
    EXPECT_EQ(fields.CPU_info, "");
    EXPECT_EQ(fields.cpu_string, "");
}

TEST(ProcessorFields, UnknownClockCountsAsZeroAndKeepsTheProcessorCount)
{
    const std::vector<ProcessorInfo> cpus = {{"First", std::nullopt, 256}, {"Second", std::nullopt, 256}};
    ClockCheck check;
    CollectedLines out;
    HardwareFields fields;
    EXPECT_EQ(describeProcessors(cpus, check, '.', out.sink(), fields), 2);
    EXPECT_EQ(fields.CPU_info, "First\x01"
                               "0\x01"
                               "256\x01");
    EXPECT_EQ(fields.hwbotcpuclk, "0");
    EXPECT_NE(fields.cpu_string.find("CPU Found: CPU1\r\nName:     Second\r\nSpeed:    0 MHz\r\n"), std::string::npos);
}
