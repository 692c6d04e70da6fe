#include "hardware/report_helper/memory_modules.h"

#include <gtest/gtest.h>

using namespace tarvik;

TEST(MemoryModules, UdevPropertiesGiveInstalledModulesInSlotOrder)
{
    const std::string udev = "P: /devices/virtual/dmi/id\n"
                             "E: MEMORY_ARRAY_NUM_DEVICES=3\n"
                             "E: MEMORY_DEVICE_10_PRESENT=0\n"
                             "E: MEMORY_DEVICE_10_LOCATOR=DIMM B2\n"
                             "E: MEMORY_DEVICE_2_SIZE=17179869184\n"
                             "E: MEMORY_DEVICE_2_TYPE=DDR4\n"
                             "E: MEMORY_DEVICE_2_SPEED_MTS=3200\n"
                             "E: MEMORY_DEVICE_2_CONFIGURED_SPEED_MTS=2933\n"
                             "E: MEMORY_DEVICE_2_LOCATOR=DIMM A2\n"
                             "E: MEMORY_DEVICE_2_PART_NUMBER=F4-3200C16-16GVK\n"
                             "E: MEMORY_DEVICE_0_SIZE=8589934592\n"
                             "E: MEMORY_DEVICE_0_TYPE=DDR4\n"
                             "E: MEMORY_DEVICE_X_SIZE=1\n";

    const auto modules = modulesFromUdev(udev);

    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(modules[0].sizeMB, 8192);
    EXPECT_EQ(modules[0].speedMTs, 0);
    EXPECT_EQ(modules[1].locator, "DIMM A2");
    EXPECT_EQ(modules[1].type, "DDR4");
    EXPECT_EQ(modules[1].sizeMB, 16384);
    EXPECT_EQ(modules[1].speedMTs, 3200);
    EXPECT_EQ(modules[1].configuredSpeedMTs, 2933);
    EXPECT_EQ(modules[1].partNumber, "F4-3200C16-16GVK");
}

TEST(MemoryModules, DmidecodeRecordsSkipEmptySlotsAndUnknownTexts)
{
    const std::string dmidecode = "# dmidecode 3.4\n"
                                  "Handle 0x0019, DMI type 17, 40 bytes\n"
                                  "Memory Device\n"
                                  "\tSize: No Module Installed\n"
                                  "\tLocator: DIMM 0\n"
                                  "\tType: Unknown\n"
                                  "\n"
                                  "Handle 0x001B, DMI type 17, 40 bytes\n"
                                  "Memory Device\n"
                                  "\tSize: 16 GB\n"
                                  "\tLocator: DIMM 1\n"
                                  "\tType: DDR4\n"
                                  "\tSpeed: 3466 MT/s\n"
                                  "\tManufacturer: Unknown\n"
                                  "\tConfigured Memory Speed: 3200 MT/s\n"
                                  "\n"
                                  "Handle 0x001E, DMI type 17, 27 bytes\n"
                                  "Memory Device\n"
                                  "\tSize: 2048 MB\n"
                                  "\tType: DDR2\n"
                                  "\tSpeed: 800 MHz\n"
                                  "\tConfigured Clock Speed: 667 MHz\n"
                                  "Handle 0x0020, DMI type 19, 31 bytes\n"
                                  "Memory Array Mapped Address\n"
                                  "\tRange Size: 4 GB\n";

    const auto modules = modulesFromDmidecode(dmidecode);

    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(modules[0].locator, "DIMM 1");
    EXPECT_EQ(modules[0].sizeMB, 16384);
    EXPECT_EQ(modules[0].manufacturer, "");
    EXPECT_EQ(modules[0].speedMTs, 3466);
    EXPECT_EQ(modules[0].configuredSpeedMTs, 3200);
    EXPECT_EQ(modules[1].type, "DDR2");
    EXPECT_EQ(modules[1].sizeMB, 2048);
    EXPECT_EQ(modules[1].configuredSpeedMTs, 667);
}

TEST(MemoryModules, ChannelsWhereEverySlotNamesOne)
{
    const auto modules = [](std::initializer_list<std::pair<const char *, const char *>> slots) {
        std::vector<MemoryModule> list;
        for (const auto &[locator, bank] : slots) {
            MemoryModule module;
            module.locator = locator;
            module.bankLocator = bank;
            list.push_back(module);
        }
        return list;
    };
    EXPECT_EQ(channelCount(modules({{"ChannelA-DIMM0", "BANK 0"}, {"ChannelB-DIMM0", "BANK 2"}})), 2);
    EXPECT_EQ(channelCount(modules({{"DIMM 0", "P0 CHANNEL A"}, {"DIMM 1", "P0 CHANNEL A"}})), 1);
    EXPECT_EQ(channelCount(modules({{"DIMM 0", "P0 CHANNEL A"}, {"DIMM_B1", "BANK 1"}})), std::nullopt);
    EXPECT_EQ(channelCount(modules({{"Channel", ""}})), std::nullopt);
    EXPECT_EQ(channelCount({}), std::nullopt);
}
