#include "requests/reply_text.h"
#include "requests/request.h"
#include "submissions.h"

#include <gmock/gmock.h>

namespace tarvik::server {
namespace {

using testing::reportMachine;
using testing::scanMachine;
using testing::submitMessage;

const std::string Sep(1, FieldSeparator);

CheckedSubmission checked(const std::string &message)
{
    Request request = interpretMessage(message);
    EXPECT_TRUE(std::holds_alternative<SubmitRequest>(request));
    return std::holds_alternative<SubmitRequest>(request) ? std::get<SubmitRequest>(request).checked
                                                          : CheckedSubmission{};
}

// A message with the scan record of an "Intel" processor at 3000 MHz and the given tests.
std::string scanSubmit(const std::string &tests)
{
    return "SUBMIT" + Sep + "Ann" + Sep + Sep + "Intel" + Sep + "3000" + Sep + "512" + Sep + "4" + Sep + tests;
}

TEST(SubmissionCheck, AcceptsTheProgramsChecksumsOnEitherRecord)
{
    // The report's specification starts with a blank, which the record trims
    // but the program's checksum still took as its first byte.
    const std::pair<HardwareFields, char> senders[] = {
        {reportMachine('.'), '.'}, {reportMachine(','), ','}, {scanMachine(), '.'}};
    for (const auto &[machine, decimalSeparator] : senders) {
        const CheckedSubmission result =
            checked(submitMessage("Ann", "", machine, 4, {{6, 20.5}, {11, 612.3456}}, decimalSeparator));
        ASSERT_EQ(result.accepted.size(), 2u);
        EXPECT_TRUE(result.refused.empty());
        EXPECT_EQ(result.accepted[1].test, 11);
        EXPECT_EQ(result.accepted[1].seconds, 612.346);
    }
    // A worked value of the checksum, with the time written with a decimal comma.
    const CheckedSubmission comma = checked(scanSubmit("6" + Sep + "20,5" + Sep + "EAE7E92" + Sep));
    ASSERT_EQ(comma.accepted.size(), 1u);
    EXPECT_EQ(comma.accepted[0].timeText, "20,5");
    EXPECT_EQ(comma.accepted[0].seconds, 20.5);
    EXPECT_EQ(comma.threads, 4);
}

TEST(SubmissionCheck, RefusesEachTestThatDoesNotHoldUpAlone)
{
    const struct {
        std::string test;
        std::string reason;
    } cases[] = {
        {"6" + Sep + "20.5" + Sep + "EAE7E93" + Sep, "checksum does not match"},
        {"6" + Sep + "20.5" + Sep + "eae7e92" + Sep, "checksum does not match"},
        {"6" + Sep + "20.6" + Sep + "EAE7E92" + Sep, "checksum does not match"},
        {"0" + Sep + "20.5" + Sep + "1" + Sep, "not a test number from 1 to 16"},
        {"17" + Sep + "20.5" + Sep + "1" + Sep, "not a test number from 1 to 16"},
        {"6.5" + Sep + "20.5" + Sep + "1" + Sep, "not a test number from 1 to 16"},
        {"6" + Sep + "0" + Sep + "0" + Sep, "the time is not a positive number"},
        {"6" + Sep + "-20.5" + Sep + "1" + Sep, "the time is not a positive number"},
        {"6" + Sep + "fast" + Sep + "1" + Sep, "the time is not a positive number"},
    };
    for (const auto &refused : cases) {
        // Beside a good test, which is stored all the same.
        const CheckedSubmission result = checked(scanSubmit(refused.test + "6" + Sep + "20.5" + Sep + "EAE7E92" + Sep));
        EXPECT_EQ(result.accepted.size(), 1u);
        ASSERT_EQ(result.refused.size(), 1u);
        EXPECT_EQ(result.refused[0].reason, refused.reason) << refused.test;
    }
}

TEST(SubmissionCheck, RefusesAClockTheChecksumCannotUse)
{
    const std::string message = "SUBMIT" + Sep + "Ann" + Sep + Sep + "Intel" + Sep + "fast" + Sep + "512" + Sep + "4" +
                                Sep + "6" + Sep + "20.5" + Sep + "1" + Sep;
    const CheckedSubmission result = checked(message);
    ASSERT_EQ(result.refused.size(), 1u);
    EXPECT_EQ(result.refused[0].reason, "checksum cannot be computed (Type mismatch)");
}

TEST(SubmissionCheck, ABadThreadCountRefusesTheMessage)
{
    for (const char *threads : {"0", "many", "40000", "2.5"}) {
        const std::string message =
            "SUBMIT" + Sep + "Ann" + Sep + Sep + "Intel" + Sep + "3000" + Sep + "512" + Sep + threads + Sep;
        const Request request = interpretMessage(message);
        ASSERT_TRUE(std::holds_alternative<MessageError>(request)) << threads;
        EXPECT_EQ(std::get<MessageError>(request).reason, "the thread count is not a whole number from 1 to 32767");
    }
}

TEST(SubmissionCheck, AControlByteInAStoredTextRefusesTheMessage)
{
    using namespace std::string_literals;
    const struct {
        std::string name;
        std::string processor;
        const char *reason;
    } cases[] = {
        {"An\0n"s, "Intel", "the submitter name holds the control byte 0x00"},
        {"Ann\r\n6 - result id = 1", "Intel", "the submitter name holds the control byte 0x0D"},
        {"Ann", "Intel\x1b]0;title\x07", "the processor holds the control byte 0x1B"},
        {"Ann\x7f", "Intel", "the submitter name holds the control byte 0x7F"},
    };
    for (const auto &c : cases) {
        const std::string message =
            "SUBMIT" + Sep + c.name + Sep + Sep + c.processor + Sep + "3000" + Sep + "512" + Sep + "4" + Sep;
        const Request request = interpretMessage(message);
        ASSERT_TRUE(std::holds_alternative<MessageError>(request)) << c.reason;
        EXPECT_EQ(std::get<MessageError>(request).reason, c.reason);
    }
    // Text beyond ASCII is no control byte.
    EXPECT_TRUE(std::holds_alternative<SubmitRequest>(interpretMessage(
        "SUBMIT" + Sep + "Jürgen" + Sep + "schnell" + Sep + "Intel" + Sep + "3000" + Sep + "512" + Sep + "4" + Sep)));
}

// The program reads the id lines; people read the verdicts after them.
TEST(SubmissionCheck, AnswerGivesTheIdLinesThenAVerdictPerTestThenTheManagementAddress)
{
    const CheckedSubmission result =
        checked(scanSubmit("6" + Sep + "20.5" + Sep + "EAE7E92" + Sep + "16" + Sep + "1" + Sep + "1" + Sep));
    const rules::Decision held{rules::Verdict::Held, rules::PlausibilityRule, "plausibility band: too fast"};
    const StoredSubmission stored{
        {{6, 20.5, 41, rules::accepted(), false}, {11, 90, 7, held, true}, {3, 2, 42, held, false}}, 9, "k3y"};
    EXPECT_EQ(replies::submitted(result, stored, "http://results.example:10280"),
              "6 - result id = 41\r\n11 - result id = 7\r\n3 - result id = 42\r\n"
              "6 - accepted (rules version 1)\r\n"
              "11 - already stored as result 7 (held for review); not stored again\r\n"
              "3 - held for review: plausibility band: too fast\r\n"
              "16 - refused: checksum does not match\r\n"
              "Hide or delete the results of this submission at "
              "http://results.example:10280/manage?submission=9&key=k3y\r\n");
    // Every test already stored: no new submission, so no address.
    EXPECT_EQ(replies::submitted({}, {{{6, 20.5, 41, rules::accepted(), true}}, 0, ""}, "http://h"),
              "6 - result id = 41\r\n6 - already stored as result 41 (accepted); not stored again\r\n");
}

} // namespace
} // namespace tarvik::server
