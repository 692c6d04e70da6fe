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
    facts.processor = ProcessorFacts{.brand = "AMD Ryzen 7 5800X 8-Core Processor",
                                     .vendor = "AuthenticAMD",
                                     .family = "25",
                                     .model = "33",
                                     .stepping = "0",
                                     .clockMHz = 3800.0,
                                     .threads = 16,
                                     .packages = 1,
                                     .cores = 8,
                                     .l2TotalKB = 4096,
                                     .l3TotalKB = 32768};
    facts.modules = {{"DIMM_A2", "DDR4", "G.Skill", "F4-3600C16-16GVKC", 16384, 3600, 3600},
                     {"DIMM_B2", "DDR4", "G.Skill", "F4-3600C16-16GVKC", 16384, 3600, 3600}};
    facts.dmi = {{"board_vendor", "Micro-Star International Co., Ltd."},
                 {"board_name", "MAG B550 TOMAHAWK (MS-7C91)"},
                 {"chassis_vendor", "Micro-Star International Co., Ltd."}};

    const HashTable table = ParseReport(reportText(facts, ReportOptions{true}), [](const std::string &) {});
    HardwareFields fields;
    summarizeReport(table, '.', [](const std::string &) {}, fields);

    EXPECT_EQ(fields.hwbot_send_cpu, "AMD Ryzen 7 5800X 8-Core");
    EXPECT_EQ(fields.hwbotcpu, "AMD Ryzen 7 5800X 8-Core Processor");
    EXPECT_EQ(fields.hwbotcpuclk, "3800");
    EXPECT_EQ(fields.mem_type, "DDR4");
    EXPECT_EQ(fields.mem_size, "32768");
    EXPECT_EQ(fields.mem_freq, "1800");
    EXPECT_EQ(fields.board_vendor, "Micro-Star International Co., Ltd.");
    EXPECT_EQ(fields.board_model, "MAG B550 TOMAHAWK (MS-7C91)");
    EXPECT_NE(fields.cpu_string.find("L2 Cache: 4096 KB"), std::string::npos);
    EXPECT_EQ(table.getValue("DMI System Enclosure.manufacturer"), ""); // the parser stops there
}
