#include "expect_fault.h"
#include "hardware/hardware_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace tarvik;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const Entries Conroe = {
    {"Processors Information.Name", "Intel Core 2 Duo E6600"},
    {"Processors Information.Specification", " Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz "},
    {"Processors Information.Codename", " Conroe "},
    {"Processors Information.Core Stepping", "B2"},
    {"Processors Information.Core Speed", "2400.5 MHz"},
    {"Processors Information.Rated Bus speed", "266.7 MHz"},
    {"Processors Information.max VID", "1.325 V"},
    {"Processors Information.L2 cache", "2 x 2048 KBytes"},
    {"Chipset.Memory Type", "DDR2"},
    {"Chipset.Memory Size", "2048 MBytes"},
    {"Chipset.Memory Frequency", "333.5 MHz"},
    {"Chipset.CAS#", "5.0 clocks"},
    {"Chipset.RAS# to CAS#", "5 clocks"},
    {"Chipset.RAS# Precharge", "5 clocks"},
    {"Chipset.Cycle Time (tRAS)", "15 clocks"},
    {"DMI Baseboard.vendor", "ASUSTeK Computer INC."},
    {"DMI Baseboard.model", "P5B"},
};

HashTable tableOf(const Entries &entries)
{
    HashTable table;
    for (const auto &[key, value] : entries)
        table.setValue(key, value);
    return table;
}

Entries with(Entries entries, const std::string &key, const std::string &value)
{
    entries.emplace_back(key, value);
    return entries;
}

struct Summary {
    std::vector<std::string> printed;
    HardwareFields fields;
};

Summary summarize(const Entries &entries, char decimalSeparator = '.', HardwareFields before = {})
{
    Summary summary{{}, std::move(before)};
    summarizeReport(
        tableOf(entries), decimalSeparator, [&summary](const std::string &line) { summary.printed.push_back(line); },
        summary.fields);
    return summary;
}

HardwareFields earlierScan()
{
    HardwareFields fields;
    fields.CPU_info = "Old CPU\x01"
                      "2400\x01"
                      "4096\x01";
    fields.hwbotcpu = "Old CPU";
    fields.hwbotcpuclk = "2400";
    fields.mem_type = "DDR";
    return fields;
}

} // namespace

TEST(HardwareSummary, PrintsTheReportAndFillsEveryField)
{
    const Summary s = summarize(Conroe);

    EXPECT_EQ(s.printed,
              (std::vector<std::string>{"", "Found CPU: ", " Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz ", " Conroe  Core",
                                        "2400.5 MHz Clock", "266.7 MHz FSB", "4096 KB L2 Cache", "1.325 V", "Step B2",
                                        "Found Memory: ", "2048 MB DDR2", "333.5 MHz", "Cl 5-5-5-15",
                                        "Found Motherboard: ", "ASUSTeK Computer INC.", "P5B", ""}));

    HardwareFields expected;
    expected.CPU_info = "cehi\x01Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz\x01"
                        "2400.5\x01"
                        "4096\x01"
                        "1.325\x01"
                        "266.7\x01"
                        "Conroe\x01"
                        "B2\x01"
                        "2048\x01"
                        "DDR2\x01"
                        "333.5\x01"
                        "Cl 5-5-5-15\x01"
                        "ASUSTeK Computer INC.\x01P5B\x01";
    expected.cpu_string = " Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz \r\nCore: Conroe B2\r\nClock: 2400.5 MHz\r\n"
                          "Vcore: 1.325 V\r\nFSB: 266.7 MHz\r\nL2 Cache: 4096 KB\r\n\r\nMemory: 2048 MB DDR2\r\n"
                          "Frequency: 333.5 MHz @ 5-5-5-15\r\n\r\nMainboard: ASUSTeK Computer INC. P5B";
    expected.hwbotcpu = " Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz ";
    expected.hwbotcpuclk = "2400.5";
    expected.hwbot_send_cpu = "Intel Core 2 Duo E6600";
    expected.mem_type = "DDR2";
    expected.mem_size = "2048";
    expected.mem_freq = "333.5";
    expected.mem_cas = "5";
    expected.mem_rcd = "5";
    expected.mem_rp = "5";
    expected.mem_tras = "15";
    expected.board_model = "P5B";
    expected.board_vendor = "ASUSTeK Computer INC.";
    EXPECT_EQ(s.fields, expected);
}

TEST(HardwareSummary, CommaLocaleKeepsItsCommaExceptForTheRecordsClock)
{
    const Summary s = summarize(Conroe, ',');

    EXPECT_EQ(s.fields.CPU_info, "cehi\x01Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz\x01"
                                 "2400.5\x01"
                                 "4096\x01"
                                 "1,325\x01"
                                 "266,7\x01"
                                 "Conroe\x01"
                                 "B2\x01"
                                 "2048\x01"
                                 "DDR2\x01"
                                 "333,5\x01"
                                 "Cl 5-5-5-15\x01"
                                 "ASUSTeK Computer INC.\x01P5B\x01");
    EXPECT_EQ(s.fields.hwbotcpuclk, "2400,5");
    EXPECT_EQ(s.fields.mem_freq, "333,5");
    EXPECT_NE(s.fields.cpu_string.find("\r\nVcore: 1,325 V\r\nFSB: 266,7 MHz\r\n"), std::string::npos);
    EXPECT_EQ(s.printed[4], "2400,5 MHz Clock");
}

TEST(HardwareSummary, BusSpeedPrefersAnyNonZeroHyperTransportLink)
{
    const std::pair<const char *, const char *> cases[] = {
        {"1000.0 MHz", "1000 MHz FSB"},
        {"0.1 MHz", "0.1 MHz FSB"},
        {"0 MHz", "266.7 MHz FSB"},
        {"n/a", "266.7 MHz FSB"},
    };
    for (const auto &[htLink, fsbLine] : cases)
        EXPECT_EQ(summarize(with(Conroe, "Processors Information.HT Link speed", htLink)).printed[5], fsbLine)
            << htLink;
}

TEST(HardwareSummary, LevelTwoCacheMultipliesOnlyAnXInThirdPlace)
{
    const std::pair<const char *, const char *> cases[] = {
        {"2 x 2048 KBytes", "4096 KB L2 Cache"},
        {"4 x 512", "2048 KB L2 Cache"},
        {"1024 KBytes", "1024 KB L2 Cache"},
        {"2x 2048", "2 KB L2 Cache"},
        {"4 X 256", "4 KB L2 Cache"},
        {"2 x", "0 KB L2 Cache"},
        {"", "0 KB L2 Cache"},
    };
    for (const auto &[l2, line] : cases)
        EXPECT_EQ(summarize(with(Conroe, "Processors Information.L2 cache", l2)).printed[6], line) << l2;
}

TEST(HardwareSummary, NoVcoreLeavesAnEmptyLineAndAZeroInTheRecord)
{
    const Summary s = summarize(with(Conroe, "Processors Information.max VID", ""));
    EXPECT_NE(s.fields.cpu_string.find("Clock: 2400.5 MHz\r\n\r\nFSB: "), std::string::npos);
    EXPECT_NE(s.fields.CPU_info.find("\x01"
                                     "4096\x01"
                                     "0\x01"
                                     "266.7\x01"),
              std::string::npos);
    EXPECT_EQ(s.printed[7], "0 V");
}

TEST(HardwareSummary, ImplausibleClockPrintsButKeepsEarlierFields)
{
    for (const char *speed : {"0.5 MHz", "10000 MHz", "", "-2400"}) {
        const Summary s = summarize(with(Conroe, "Processors Information.Core Speed", speed), '.', earlierScan());
        EXPECT_EQ(s.fields, earlierScan()) << speed;
        EXPECT_EQ(s.printed.size(), 17u);
    }
    for (const char *speed : {"1 MHz", "9999.9 MHz"})
        EXPECT_NE(summarize(with(Conroe, "Processors Information.Core Speed", speed), '.', earlierScan()).fields,
                  earlierScan())
            << speed;
}

TEST(HardwareSummary, EmptyReportPrintsZerosAndChangesNothing)
{
    const Summary s = summarize({}, '.', earlierScan());
    EXPECT_EQ(s.printed, (std::vector<std::string>{"", "Found CPU: ", "", " Core", "0 MHz Clock", "0 MHz FSB",
                                                   "0 KB L2 Cache", "0 V", "Step ", "Found Memory: ", "0 MB ", "0 MHz",
                                                   "Cl 0-0-0-0", "Found Motherboard: ", "", "", ""}));
    EXPECT_EQ(s.fields, earlierScan());
}

TEST(HardwareSummary, OverflowingNumberFailsBeforePrintingOrWriting)
{
    // Named references, not a structured binding: clang 14 cannot capture
    // one in the lambda EXPECT_FAULT makes.
    for (const auto &entry : Entries{{"Processors Information.Core Speed", "1e400"},
                                     {"Processors Information.max VID", "1e300"},
                                     {"Processors Information.L2 cache", "9 x 1e300"}}) {
        const std::string &key = entry.first;
        const std::string &value = entry.second;
        std::vector<std::string> printed;
        HardwareFields fields = earlierScan();
        EXPECT_FAULT(summarizeReport(
                         tableOf(with(Conroe, key, value)), '.',
                         [&printed](const std::string &line) { printed.push_back(line); }, fields),
                     "Overflow")
            << key;
        EXPECT_TRUE(printed.empty()) << key;
        EXPECT_EQ(fields, earlierScan()) << key;
    }
}

TEST(HardwareSummary, ReportValuesNamingAFileAreTakenAsText)
{
    // A report value is text from outside the program: "#src=" in a firmware
    // string must not make the summary read a file into the submissions.
    const std::string indirect = "#src=/proc/self/environ";
    for (const char *key : {"Processors Information.Specification", "DMI Baseboard.model"}) {
        const Summary s = summarize(with(Conroe, key, indirect));
        EXPECT_NE(s.fields.CPU_info.find("\x01" + indirect + "\x01"), std::string::npos) << key;
        EXPECT_NE(std::find(s.printed.begin(), s.printed.end(), indirect), s.printed.end()) << key;
    }
}
