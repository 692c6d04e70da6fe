#include "hardware/hardware_summary.h"
#include "hardware/report_helper/report_writer.h"
#include "hardware/report_parser.h"

#include <gtest/gtest.h>

using namespace tarvik;

// The helper's report must carry what the summary reads, under the keys the
// parser makes of it.
TEST(ReportRoundTrip, HelperReportFeedsTheSummary)
{
    MachineFacts facts;
    facts.processor.brand = "AMD Ryzen 7 5800X 8-Core Processor";
    facts.processor.vendor = "AuthenticAMD";
    facts.processor.codename = "Vermeer";
    facts.processor.extFamily = "25";
    facts.processor.extModel = "33";
    facts.processor.stepping = "0";
    facts.processor.clockMHz = 3800.0;
    facts.processor.coreVoltage = 1.35;
    facts.processor.threads = 16;
    facts.processor.packages = 1;
    facts.processor.cores = 8;
    facts.processor.l2 = CacheFacts{8, 512, 8, 64};
    facts.processor.l3 = CacheFacts{1, 32768, 16, 64};
    facts.spd = {SpdFacts{"DDR4", "F4-3600C16-16GVKC", 3600, MemoryTimings{16, 19, 19, 39, 3600}}};
    facts.modules = {{"DIMM_A2", "DDR4", "G.Skill", "F4-3600C16-16GVKC", 16384, 3600, 3600, ""},
                     {"DIMM_B2", "DDR4", "G.Skill", "F4-3600C16-16GVKC", 16384, 3600, 3600, ""}};
    facts.dmi = {{"board_vendor", "Micro-Star International Co., Ltd."},
                 {"board_name", "MAG B550 TOMAHAWK (MS-7C91)"},
                 {"chassis_vendor", "Micro-Star International Co., Ltd."}};

    const HashTable table = ParseReport(reportText(facts, ReportOptions{true}), [](const std::string &) {});
    HardwareFields fields;
    summarizeReport(
        table, '.', [](const std::string &) {}, fields);

    EXPECT_EQ(fields.hwbot_send_cpu, "AMD Ryzen 7 5800X 8-Core");
    EXPECT_EQ(fields.hwbotcpu, "AMD Ryzen 7 5800X 8-Core Processor");
    EXPECT_EQ(fields.hwbotcpuclk, "3800");
    EXPECT_EQ(fields.mem_type, "DDR4");
    EXPECT_EQ(fields.mem_size, "32768");
    EXPECT_EQ(fields.mem_freq, "1800");
    EXPECT_EQ(fields.board_vendor, "Micro-Star International Co., Ltd.");
    EXPECT_EQ(fields.board_model, "MAG B550 TOMAHAWK (MS-7C91)");
    EXPECT_EQ(fields.cpu_string, "AMD Ryzen 7 5800X 8-Core Processor\r\nCore: Vermeer 0\r\nClock: 3800 MHz\r\n"
                                 "Vcore: 1.35 V\r\nFSB: 0 MHz\r\nL2 Cache: 4096 KB\r\n\r\n"
                                 "Memory: 32768 MB DDR4\r\nFrequency: 1800 MHz @ 16-19-19-39\r\n\r\n"
                                 "Mainboard: Micro-Star International Co., Ltd. MAG B550 TOMAHAWK (MS-7C91)");
    EXPECT_EQ(table.getValue("DMI System Enclosure.manufacturer"), ""); // the parser stops there
}
