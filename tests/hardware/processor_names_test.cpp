#include "hardware/processor_names.h"

#include <gtest/gtest.h>

using namespace tarvik;

TEST(ProcessorNames, ArmNamesFromImplementerAndPart)
{
    const struct {
        const char *implementer;
        const char *part;
        const char *name;
    } cases[] = {
        {"0x41", "0xd08", "ARM Cortex-A72"},
        {"0x41", "0xd0c", "ARM Neoverse-N1"},
        {"0x61", "0x023", "Apple M1 Firestorm"},
        {"0xc0", "0xac3", "Ampere Ampere-1"},
        {"0x41", "0xfff", "ARM part 0xfff"}, // a designer known without its part
        {"0x41", "", "ARM"},
        {"0x99", "0xd08", ""}, // an unknown designer: nothing invented
        {"", "", ""},
        {"65", "0xd08", ""}, // cpuinfo writes these in hexadecimal
    };
    for (const auto &c : cases)
        EXPECT_EQ(armProcessorName(c.implementer, c.part), c.name) << c.implementer << " " << c.part;
}

TEST(ProcessorNames, CodenamesOfAmdFamiliesNewerThanTheLibrary)
{
    // Older families keep the library's name; family 1Ah comes from the
    // table, and a model outside it is left unnamed rather than misnamed.
    EXPECT_EQ(processorCodename("AuthenticAMD", 0x19, 0x21, "Ryzen 7 (Vermeer)"), "Ryzen 7 (Vermeer)");
    EXPECT_EQ(processorCodename("GenuineIntel", 0x1A, 0x02, "Skylake"), "Skylake");
    EXPECT_EQ(processorCodename("AuthenticAMD", 0x1A, 0x02, "Abu Dhabi"), "Turin");
    EXPECT_EQ(processorCodename("AuthenticAMD", 0x1A, 0x44, "Abu Dhabi"), "Granite Ridge");
    EXPECT_EQ(processorCodename("AuthenticAMD", 0x1A, 0x90, "Abu Dhabi"), "");
    EXPECT_EQ(processorCodename("AuthenticAMD", 0x1B, 0x00, "Abu Dhabi"), "");
}
