#include "foundation/fault.h"
#include "protocol/checksum.h"
#include "protocol/message_builder.h"

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

SubmitFields submission(std::vector<BestTime> times)
{
    SubmitFields fields;
    fields.submitter = "Ann";
    fields.processorRecord = "Intel Core 2 Duo\x01"
                             "2400\x01";
    fields.processorClock = "2400";
    fields.processorSpecification = "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz";
    fields.threads = 2;
    fields.times = std::move(times);
    return fields;
}

} // namespace

TEST(BuildSubmit, WithoutTimesEndsAfterTheThreadCount)
{
    SubmitFields fields = submission({});
    fields.description = "my box";
    fields.threads = 4;
    EXPECT_EQ(buildSubmit(fields), "SUBMIT\x01"
                                   "Ann\x01"
                                   "my box\x01"
                                   "Intel Core 2 Duo\x01"
                                   "2400\x01"
                                   "4\x01");
}

TEST(BuildSubmit, SendsEachTimeWithThreeDecimalsAndItsChecksum)
{
    // three decimals: 15.235
    const SubmitFields fields = submission({{6, 15.2345678}, {11, 600.25}});
    const std::string &specification = fields.processorSpecification;
    EXPECT_EQ(buildSubmit(fields), "SUBMIT\x01"
                                   "Ann\x01\x01"
                                   "Intel Core 2 Duo\x01"
                                   "2400\x01"
                                   "2\x01"
                                   "6\x01"
                                   "15.235\x01" +
                                       csum(6, 15.235, "2400", specification, '.') +
                                       "\x01"
                                       "11\x01"
                                       "600.25\x01" +
                                       csum(11, 600.25, "2400", specification, '.') + "\x01");
}

TEST(BuildSubmit, CommaLocaleWritesTheTimeAndReadsTheClockWithAComma)
{
    SubmitFields fields = submission({{6, 15.5}});
    fields.processorClock = "2400,7";
    fields.decimalSeparator = ',';
    EXPECT_NE(buildSubmit(fields).find("\x01"
                                       "6\x01"
                                       "15,5\x01" +
                                       csum(6, 15.5, "2400,7", fields.processorSpecification, ',') + "\x01"),
              std::string::npos);
}

TEST(BuildSubmit, WithoutAProcessorSpecificationATimeCannotBeSent)
{
    SubmitFields fields = submission({{6, 15.5}});
    fields.processorSpecification.clear();
    EXPECT_THROW(buildSubmit(fields), Fault);
}

TEST(BuildGet, NamesTheId)
{
    EXPECT_EQ(buildGet("42"), "GET\x01"
                              "42\x01");
}
