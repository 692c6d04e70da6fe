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
    records.set(11, 0.007, true);
    EXPECT_TRUE(records.any());
    EXPECT_FALSE(records.madeInQuickMode(6));
    EXPECT_TRUE(records.madeInQuickMode(11));
    EXPECT_FAULT(records.madeInQuickMode(17), "Subscript out of range");
    // A new thread count clears the quick-mode marks with the times.
    records.clear();
    EXPECT_EQ(records.get(6), 0);
    EXPECT_EQ(records.record(11), Record{});
}

TEST(Records, OnlyAStrictlyFasterRunImproves)
{
    EXPECT_TRUE(improvesRecord(0, 12.5));
    EXPECT_FALSE(improvesRecord(12.5, 12.5));
    EXPECT_TRUE(improvesRecord(12.5, 12.4));
    EXPECT_FALSE(improvesRecord(12.5, 12.6));
}

TEST(Records, AFullRunReplacesAQuickRecordAndAQuickRunNeverAFullOne)
{
    const Record none{};
    struct Case {
        const char *name;
        Record current;
        Record run;
        bool replaces;
    } cases[] = {
        {"first quick run", none, {0.007, true}, true},
        {"first full run", none, {7.5, false}, true},
        {"full run, slower than a quick record", {0.007, true}, {7.5, false}, true},
        {"full run, faster than a quick record", {9.0, true}, {7.5, false}, true},
        {"quick run, faster than a full record", {7.5, false}, {0.007, true}, false},
        {"quick run, slower than a full record", {7.5, false}, {9.0, true}, false},
        {"quick runs, faster", {0.007, true}, {0.006, true}, true},
        {"quick runs, equal", {0.007, true}, {0.007, true}, false},
        {"quick runs, slower", {0.007, true}, {0.008, true}, false},
        {"full runs, faster", {7.5, false}, {7.25, false}, true},
        {"full runs, equal", {7.5, false}, {7.5, false}, false},
        {"full runs, slower", {7.5, false}, {7.75, false}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(replacesRecord(c.current, c.run), c.replaces) << c.name;
}
