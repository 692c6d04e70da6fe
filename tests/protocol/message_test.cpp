#include "protocol/message.h"
#include "protocol/message_builder.h"
#include "submissions.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

using server::testing::reportMachine;
using server::testing::scanMachine;
using server::testing::submitMessage;

const std::string Sep(1, FieldSeparator);

TEST(Message, ReadsTheReportRecordTheProgramSends)
{
    const auto parsed = parseMessage(submitMessage("Ann", "box", reportMachine(), 4, {{6, 20.5}, {11, 600.25}}));
    const auto *submit = std::get_if<SubmitMessage>(&parsed);
    ASSERT_NE(submit, nullptr);
    EXPECT_EQ(submit->submitter, "Ann");
    EXPECT_EQ(submit->description, "box");
    const ProcessorRecord &processor = submit->processor;
    EXPECT_EQ(processor.form, ProcessorRecord::Form::Report);
    EXPECT_EQ(processor.specification, "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz");
    EXPECT_EQ(processor.clock, "2400.5");
    EXPECT_EQ(processor.l2Cache, "4096");
    EXPECT_EQ(processor.memoryTimings, "Cl 5-5-5-15");
    EXPECT_EQ(processor.boardVendor, "ASUSTeK Computer INC.");
    EXPECT_EQ(processor.boardModel, "P5B");
    EXPECT_EQ(submit->threads, "4");
    ASSERT_EQ(submit->tests.size(), 2u);
    EXPECT_EQ(submit->tests[1].test, "11");
    EXPECT_EQ(submit->tests[1].time, "600.25");
}

TEST(Message, ReadsTheScanRecordAndAMissingOne)
{
    const auto scan = parseMessage(submitMessage("Ann", "", scanMachine(), 2, {{6, 20.5}}));
    ASSERT_TRUE(std::holds_alternative<SubmitMessage>(scan));
    const ProcessorRecord &processor = std::get<SubmitMessage>(scan).processor;
    EXPECT_EQ(processor.form, ProcessorRecord::Form::Scan);
    EXPECT_EQ(processor.specification, "AMD Athlon(tm) 64 X2 Dual Core Processor 4200+");
    EXPECT_EQ(processor.clock, "2200");
    EXPECT_EQ(processor.l2Cache, "512");

    const auto missing =
        parseMessage("SUBMIT" + Sep + "Ann" + Sep + Sep + "2" + Sep + "6" + Sep + "1.5" + Sep + "1" + Sep);
    ASSERT_TRUE(std::holds_alternative<SubmitMessage>(missing));
    EXPECT_EQ(std::get<SubmitMessage>(missing).processor.form, ProcessorRecord::Form::Missing);
    EXPECT_EQ(std::get<SubmitMessage>(missing).tests.size(), 1u);
}

TEST(ProcessorRecord, ReadsBackTheRecordTheHardwareSummaryKeeps)
{
    for (const HardwareFields &machine : {reportMachine(), scanMachine()}) {
        const ProcessorRecord record = recordFromText(machine.CPU_info);
        EXPECT_NE(record.form, ProcessorRecord::Form::Missing);
        EXPECT_EQ(recordText(record), machine.CPU_info);
    }
    EXPECT_EQ(recordFromText(scanMachine().CPU_info).clock, "2200");
    // Neither form: nothing, a last field without its separator, a count of
    // fields of neither form, the report's count without its tag.
    const std::string fourteen = [] {
        std::string text;
        for (int i = 0; i < 14; ++i)
            text += "x" + Sep;
        return text;
    }();
    for (const std::string &text : {std::string(), "a" + Sep + "b" + Sep + "c", "a" + Sep + "b" + Sep, fourteen})
        EXPECT_EQ(recordFromText(text).form, ProcessorRecord::Form::Missing) << text;
}

// While a message arrives, every beginning of it is either incomplete or a
// whole message with fewer tests, never refused.
TEST(Message, EveryBeginningOfAMessageCanStillGrow)
{
    for (const std::string &message :
         {submitMessage("Ann", "x", reportMachine(), 4, {{6, 20.5}, {11, 600.25}}),
          submitMessage("Ann", "x", scanMachine(), 4, {{6, 20.5}}), "GET" + Sep + "12" + Sep}) {
        for (std::size_t length = 0; length < message.size(); ++length) {
            const auto parsed = parseMessage(message.substr(0, length));
            if (const auto *error = std::get_if<MessageError>(&parsed))
                EXPECT_TRUE(error->incomplete) << length << ": " << error->reason;
            else
                EXPECT_TRUE(std::holds_alternative<SubmitMessage>(parsed)) << length;
        }
    }
}

// The reader fed one byte at a time decides at every step as a reader given
// all the bytes so far at once, and ends with the same message.
TEST(Message, ReaderFedByteByByteDecidesAsOnTheWholeBytes)
{
    for (const std::string &message :
         {submitMessage("Ann", "x", reportMachine(), 4, {{6, 20.5}, {11, 600.25}}),
          submitMessage("Ann", "", scanMachine(), 2, {{6, 20.5}}), "GET" + Sep + "12" + Sep,
          "GET" + Sep + "1" + Sep + "x", "SUBMIT" + Sep + "Ann" + Sep + Sep + "2" + Sep + "6" + Sep,
          std::string("HELLO")}) {
        MessageReader reader;
        for (std::size_t length = 1; length <= message.size(); ++length) {
            reader.feed(std::string_view(message).substr(length - 1, 1));
            const auto whole = parseMessage(message.substr(0, length));
            const auto *wholeError = std::get_if<MessageError>(&whole);
            const std::optional<MessageError> problem = reader.problem();
            ASSERT_EQ(problem.has_value(), wholeError != nullptr) << message << " at " << length;
            if (problem) {
                EXPECT_EQ(problem->incomplete, wholeError->incomplete) << length;
                EXPECT_EQ(problem->reason, wholeError->reason) << length;
            } else {
                EXPECT_EQ(reader.isGet(), std::holds_alternative<GetMessage>(whole)) << length;
            }
        }
        EXPECT_EQ(reader.bytes(), message);
        const auto fed = reader.message();
        const auto whole = parseMessage(message);
        ASSERT_EQ(fed.index(), whole.index()) << message;
        if (const auto *submit = std::get_if<SubmitMessage>(&fed)) {
            const auto &expected = std::get<SubmitMessage>(whole);
            EXPECT_EQ(submit->processor.specification, expected.processor.specification);
            EXPECT_EQ(submit->threads, expected.threads);
            EXPECT_EQ(submit->tests.size(), expected.tests.size());
        }
    }
}

TEST(Message, WrittenMessagesReadBackToTheSameBytes)
{
    for (const std::string &message :
         {submitMessage("Ann", "x", reportMachine(), 4, {{6, 20.5}, {11, 600.25}}),
          submitMessage("Ann", "", scanMachine(), 2, {{6, 20.5}}),
          "SUBMIT" + Sep + "Ann" + Sep + Sep + "2" + Sep + "6" + Sep + "1.5" + Sep + "1" + Sep,
          "GET" + Sep + "12" + Sep}) {
        const auto parsed = parseMessage(message);
        if (const auto *submit = std::get_if<SubmitMessage>(&parsed))
            EXPECT_EQ(messageBytes(*submit), message);
        else
            EXPECT_EQ(messageBytes(std::get<GetMessage>(parsed)), message);
    }
}

TEST(Message, RefusesWhatCannotBecomeAMessage)
{
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"HELLO", "the message is neither SUBMIT nor GET"},
        {"submit" + Sep, "the message is neither SUBMIT nor GET"},
        {"GET /index.html HTTP/1.1\r\n", "the message is neither SUBMIT nor GET"},
        {"GET" + Sep + "1" + Sep + "2" + Sep, "a GET carries only the result id"},
        {"GET" + Sep + "1" + Sep + "x", "a GET carries only the result id"},
    };
    for (const auto &refused : cases) {
        const auto parsed = parseMessage(refused.bytes);
        ASSERT_TRUE(std::holds_alternative<MessageError>(parsed)) << refused.bytes;
        EXPECT_FALSE(std::get<MessageError>(parsed).incomplete);
        EXPECT_EQ(std::get<MessageError>(parsed).reason, refused.reason);
    }
}

} // namespace
} // namespace tarvik
