#include "hardware/report_helper/report_writer.h"

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

MachineFacts desktop()
{
    MachineFacts facts;
    facts.processor.brand = "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz";
    facts.processor.vendor = "GenuineIntel";
    facts.processor.extFamily = std::string("6");
    facts.processor.extModel = "142";
    facts.processor.stepping = "10";
    facts.processor.clockMHz = 1800.04;
    facts.processor.threads = 8;
    facts.processor.packages = 1;
    facts.processor.cores = 4;
    facts.processor.l1Data = CacheFacts{4, 32, 8, 0};
    facts.processor.l2 = CacheFacts{4, 256, 4, 64};
    facts.memoryTotalKB = 16300000;
    facts.modules = {{"DIMM A1", "DDR4", "Kingston", "KHX\t2400", 8192, 2400, 2133, ""},
                     {"DIMM B1", "DDR4", "", "", 8192, 2400, 0, ""}};
    facts.dmi = {{"board_vendor", "ASUSTeK COMPUTER INC."}, {"board_name", "PRIME B360-PLUS"}, {"chassis_type", "3"}};
    return facts;
}

} // namespace

TEST(ReportWriter, SectionsOfTabbedItemsWithUnknownValuesLeftOut)
{
    EXPECT_EQ(reportText(desktop(), ReportOptions{false}),
              "Hardware report\r\n\r\n"
              "Processors Information\r\n----------------------\r\n\r\n"
              "\tNumber of processors\t1\r\n"
              "\tNumber of cores\t\t4\r\n"
              "\tNumber of threads\t8\r\n"
              "\tName\t\t\tIntel Core i5-8250U\r\n"
              "\tSpecification\t\tIntel(R) Core(TM) i5-8250U CPU @ 1.60GHz\r\n"
              "\tVendor\t\t\tGenuineIntel\r\n"
              "\tStepping\t\t10\r\n"
              "\tExt. Family\t\t6\r\n"
              "\tExt. Model\t\t142\r\n"
              "\tCore Stepping\t\t10\r\n"
              "\tCore Speed\t\t1800.0 MHz\r\n"
              "\tL1 Data cache\t\t4 x 32 KBytes, 8-way set associative\r\n"
              // totals for the levels the summary reads
              "\tL2 cache\t\t1024 KBytes, 4-way set associative, 64-byte line size\r\n\r\n"
              "Chipset\r\n--------\r\n\r\n"
              "\tMemory Type\t\tDDR4\r\n"
              "\tMemory Size\t\t16384 MBytes\r\n" // installed modules, not the kernel's usable total
              "\tMemory Frequency\t1066.5 MHz\r\n\r\n");
}

TEST(ReportWriter, DmiSectionsEndWithTheEnclosure)
{
    const std::string report = reportText(desktop(), ReportOptions{true});

    EXPECT_NE(report.find("DMI Baseboard\r\n-------------\r\n\r\n"
                          "\tvendor\t\t\tASUSTeK COMPUTER INC.\r\n"
                          "\tmodel\t\t\tPRIME B360-PLUS\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\tpart number\t\tKHX 2400\r\n"), std::string::npos); // a tab would split the item
    EXPECT_EQ(report.find("DMI BIOS"), std::string::npos);                      // nothing known, no section
    const auto enclosure = report.find("DMI System Enclosure\r\n");
    EXPECT_LT(report.rfind("DMI Memory Device\r\n"), enclosure);
    EXPECT_EQ(report.substr(enclosure), "DMI System Enclosure\r\n--------------------\r\n\r\n"
                                        "\tchassis type\t\t3\r\n\r\n");
}

TEST(ReportWriter, WithoutModulesMemorySizeIsTheKernelsTotal)
{
    MachineFacts facts;
    facts.memoryTotalKB = 2048 * 1024 + 1023;
    EXPECT_EQ(reportText(facts, ReportOptions{true}),
              "Hardware report\r\n\r\nChipset\r\n--------\r\n\r\n\tMemory Size\t\t2048 MBytes\r\n\r\n");
}

TEST(ReportWriter, ShortProcessorName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", "Intel Core i5-8250U"},
        {"AMD Ryzen 5 3600 6-Core Processor", "AMD Ryzen 5 3600 6-Core"},
        {"Intel(R) Xeon(R) CPU E5-2680 v4 @ 2.40GHz", "Intel Xeon E5-2680 v4"},
        {"AMD EPYC", "AMD EPYC"},
        {"", ""},
    };
    for (const auto &[brand, name] : cases)
        EXPECT_EQ(shortProcessorName(brand), name) << brand;
}
