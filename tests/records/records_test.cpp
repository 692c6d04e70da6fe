#include "expect_fault.h"
#include "records/records.h"

#include <gtest/gtest.h>

using namespace tarvik;

TEST(Records, StartEmptyAndRefuseIndicesOutsideTheTests)
{
    Records records;
    for (std::int16_t k = 1; k <= 16; ++k)
        EXPECT_EQ(records.get(k), 0);
    EXPECT_FALSE(records.any());
    EXPECT_FAULT(records.get(0), "Subscript out of range");
    EXPECT_FAULT(records.set(17, 1.0), "Subscript out of range");
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
