#include "hardware/report_helper/spd_decoder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

using namespace tarvik;

namespace {

// SPD data of `size` zero bytes with the given bytes set.
std::string spdBytes(std::size_t size, std::initializer_list<std::pair<std::size_t, int>> bytes,
                     const std::pair<std::size_t, std::string> &text = {})
{
    std::string data(size, '\0');
    for (const auto &[index, value] : bytes)
        data[index] = static_cast<char>(value);
    data.replace(text.first, text.second.size(), text.second);
    return data;
}

// Byte tables keep their rows: clang-format would give each pair a line.
// clang-format off
// DDR3-1600 11-11-11-28: time bases 1/8 ns and 1 ps, CL 5 to 11.
const std::string Ddr3 = spdBytes(256, {{2, 0x0B}, {9, 0x11}, {10, 1}, {11, 8}, {12, 10}, {14, 0xFE}, {16, 110},
                                        {18, 110}, {20, 110}, {21, 0x01}, {22, 0x18}},
                                  {128, "CMX8GX3M2A1600C11"});

// DDR4-2400 17-17-17-39 stored with fine corrections: tCK 7 x 125 - 42 =
// 833 ps, tAA 14.16 ns as 114 x 125 - 90 ps, tRCD and tRP 14.16 ns, tRAS 32 ns.
const std::string Ddr4 = spdBytes(512, {{2, 0x0C}, {18, 7}, {125, -42}, {20, 0xFC}, {21, 0xFF}, {22, 0x03},
                                        {24, 114}, {123, -90}, {25, 114}, {122, -90}, {26, 114}, {121, -90},
                                        {27, 0x01}, {28, 0x00}},
                                  {329, "M378A1K43CB2-CRC    "});

// DDR5-4800 40-40-40-77: times in picoseconds, CL 22 to 42 (even).
const std::string Ddr5 = spdBytes(1024, {{2, 0x12}, {20, 0xA0}, {21, 0x01}, {24, 0xFE}, {25, 0xFF}, {26, 0x03},
                                         {30, 0x00}, {31, 0x41}, {32, 0x00}, {33, 0x41}, {34, 0x00}, {35, 0x41},
                                         {36, 0x00}, {37, 0x7D}},
                                  {521, "M323R2GA3BB0-CQKOD"});
// clang-format on

} // namespace

TEST(SpdDecoder, TimingsOfEachMemoryTypeAtItsFastestRate)
{
    struct Case {
        const std::string &bytes;
        SpdFacts expected;
    };
    const Case cases[] = {
        {Ddr3, {"DDR3", "CMX8GX3M2A1600C11", 1600, {11, 11, 11, 28, 1600}}},
        {Ddr4, {"DDR4", "M378A1K43CB2-CRC", 2400, {17, 17, 17, 39, 2400}}},
        {Ddr5, {"DDR5", "M323R2GA3BB0-CQKOD", 4800, {40, 40, 40, 77, 4800}}},
    };
    for (const Case &c : cases) {
        const auto spd = decodeSpd(c.bytes, 0);
        ASSERT_TRUE(spd) << c.expected.type;
        EXPECT_EQ(spd->type, c.expected.type);
        EXPECT_EQ(spd->partNumber, c.expected.partNumber);
        EXPECT_EQ(spd->maxMTs, c.expected.maxMTs);
        const MemoryTimings &t = spd->timings;
        EXPECT_EQ(
            (std::vector<int>{t.cas, t.rasToCas, t.rasPrecharge, t.cycleTime, t.atMTs}),
            (std::vector<int>{c.expected.timings.cas, c.expected.timings.rasToCas, c.expected.timings.rasPrecharge,
                              c.expected.timings.cycleTime, c.expected.timings.atMTs}))
            << c.expected.type;
    }
}

TEST(SpdDecoder, ModulesRunSlowerTakeFewerCyclesAndTheCasLatencyTheyList)
{
    // 14.16 ns at 2133 MT/s (937.6 ps) is 15.1 cycles: 16.
    const auto slower = decodeSpd(Ddr4, 2133);
    ASSERT_TRUE(slower);
    EXPECT_EQ(slower->timings.cas, 16);
    EXPECT_EQ(slower->timings.rasToCas, 16);
    EXPECT_EQ(slower->timings.cycleTime, 35);
    EXPECT_EQ(slower->timings.atMTs, 2133);
    EXPECT_EQ(slower->maxMTs, 2400);

    // A rate above the module's own (overclocked) keeps its JEDEC timings.
    EXPECT_EQ(decodeSpd(Ddr4, 3200)->timings.atMTs, 2400);

    // DDR3 listing only odd latencies: 8 cycles needed, 9 used.
    std::string oddOnly = Ddr3;
    oddOnly[14] = static_cast<char>(0x08 | 0x20 | 0x80); // CL 7, 9, 11
    oddOnly[16] = static_cast<char>(80);                 // tAA 10 ns: 8 cycles at 1.25 ns
    EXPECT_EQ(decodeSpd(oddOnly, 0)->timings.cas, 9);
}

TEST(SpdDecoder, OtherDataIsNoModule)
{
    EXPECT_EQ(decodeSpd("", 0), std::nullopt);
    EXPECT_EQ(decodeSpd(Ddr4.substr(0, 100), 0), std::nullopt);                            // cut short
    EXPECT_EQ(decodeSpd(spdBytes(256, {{2, 0x08}, {18, 7}, {24, 114}}), 0), std::nullopt); // DDR2
    EXPECT_EQ(decodeSpd(std::string(256, '\xFF'), 0), std::nullopt);                       // an erased eeprom
    EXPECT_EQ(decodeSpd(spdBytes(512, {{2, 0x0C}}), 0), std::nullopt);                     // no times
}
