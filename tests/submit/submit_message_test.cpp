#include "protocol/message_builder.h"
#include "submit/browser_submission.h"
#include "submit/result_reply.h"
#include "submit/submit_message.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::submit;

namespace {

HardwareFields machine()
{
    HardwareFields hw;
    hw.CPU_info = "Intel Core 2 Duo\x01"
                  "2400\x01";
    hw.hwbotcpu = "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz";
    hw.hwbotcpuclk = "2400";
    return hw;
}

} // namespace

TEST(BuildSubmit, SendsEveryRecordButQuickModeOnesInIncreasingOrderFromTheMachinesFields)
{
    Records records;
    records.set(11, 600.25);
    records.set(6, 15.2345678);
    records.set(3, 0.007, true);
    const HardwareFields hw = machine();
    const SubmitFields expected{.submitter = "Ann",
                                .description = "my box",
                                .processorRecord = hw.CPU_info,
                                .processorClock = hw.hwbotcpuclk,
                                .processorSpecification = hw.hwbotcpu,
                                .threads = 2,
                                .times = {{6, 15.2345678}, {11, 600.25}},
                                .decimalSeparator = ','};
    EXPECT_EQ(BuildSubmit("Ann", "my box", hw, 2, records, ','), buildSubmit(expected));
}

TEST(ResultIds, EachTestWithAnIdTakesItAndTheOthersKeepTheirs)
{
    SubmissionIds ids;
    ids.set(3, 77);
    ids.set(6, 55);
    storeResultIds("11 - result id = 901\r\n6 - result id = 0\r\n3 - refused: bad checksum\r\n", ids);
    EXPECT_EQ(ids.get(11), 901);
    EXPECT_EQ(ids.get(6), 55);
    EXPECT_EQ(ids.get(3), 77);
    EXPECT_EQ(ids.get(1), 0);
}

TEST(BrowserSubmission, EveryReservedByteIsPercentEncoded)
{
    EXPECT_EQ(percentEncoded("A z-._~&=+#%?/\x01\xC3\xA9'"), "A%20z-._~%26%3D%2B%23%25%3F%2F%01%C3%A9%27");
    EXPECT_EQ(browserSubmissionUrl("http://127.0.0.1:10280", "SUBMIT\x01"
                                                             "A&B\x01"),
              "http://127.0.0.1:10280/submit.cgi?SendStr=SUBMIT%01A%26B%01");
}
