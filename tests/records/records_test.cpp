#include "foundation/fault.h"
#include "records/records.h"

#include <gtest/gtest.h>

using namespace tarvik;

TEST(Records, StartEmptyAndRefuseIndicesOutsideTheTests)
{
    Records records;
    for (std::int16_t k = 1; k <= 16; ++k)
        EXPECT_EQ(records.get(k), 0);
    EXPECT_FALSE(records.any());
    EXPECT_THROW(records.get(0), Fault);
    EXPECT_THROW(records.set(17, 1.0), Fault);
    records.set(6, 12.5);
    EXPECT_TRUE(records.any());
    records.clear();
    EXPECT_EQ(records.get(6), 0);
}

TEST(Records, OnlyAStrictlyFasterRunImproves)
{
    EXPECT_TRUE(improvesRecord(0, 12.5));
    EXPECT_FALSE(improvesRecord(12.5, 12.5));
    EXPECT_TRUE(improvesRecord(12.5, 12.4));
    EXPECT_FALSE(improvesRecord(12.5, 12.6));
}
