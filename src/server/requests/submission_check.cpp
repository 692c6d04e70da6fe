#include "requests/submission_check.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"
#include "protocol/checksum.h"
#include "rules/result_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace tarvik::server {

namespace {

// The server takes any thread count a 16-bit signed number holds, wider than
// the program's own limit, so results of other builds stay acceptable.
constexpr int LargestThreadCount = 32767;

std::optional<double> number(const std::string &text, char decimalSeparator)
{
    try {
        return numbers::strictNumber(text, decimalSeparator);
    } catch (const Fault &) {
        return std::nullopt;
    }
}

std::optional<int> wholeNumberIn(const std::string &text, int low, int high)
{
    const std::optional<double> value = number(text, '.');
    if (!value || *value != std::floor(*value) || *value < low || *value > high)
        return std::nullopt;
    return static_cast<int>(*value);
}

// The sender writes the time with its locale's decimal separator.
std::optional<double> seconds(const std::string &text)
{
    std::optional<double> value = number(text, '.');
    if (!value)
        value = number(text, ',');
    if (!value || !std::isfinite(*value) || *value <= 0)
        return std::nullopt;
    return value;
}

// The names the sender may have computed the checksum with. The report form
// carries the specification trimmed of blanks, while the sender's checksum
// takes the specification as the report gave it, whose first byte is then a
// blank; only that first byte counts.
std::vector<std::string> checksumNames(const ProcessorRecord &processor)
{
    if (processor.form == ProcessorRecord::Form::Report)
        return {processor.specification, " " + processor.specification};
    return {processor.specification};
}

// Empty when the checksum matches, else why the test is refused.
std::string checksumProblem(int test, double time, const std::string &sent, const ProcessorRecord &processor)
{
    if (processor.form == ProcessorRecord::Form::Missing)
        return "no processor description to check the checksum against";
    try {
        // The clock in the processor record always has "." as its decimal point.
        for (const std::string &name : checksumNames(processor)) {
            if (csum(static_cast<std::int16_t>(test), time, processor.clock, name, '.') == sent)
                return {};
        }
    } catch (const Fault &fault) {
        return "checksum cannot be computed (" + fault.description() + ")";
    }
    return "checksum does not match";
}

// Why the test is refused, empty when it is not.
std::string refusal(const std::optional<rules::Decision> &decision)
{
    return decision ? decision->reason : std::string();
}

void checkTest(const SubmittedTest &sent, const ProcessorRecord &processor, CheckedSubmission &checked)
{
    auto refuse = [&](const char *rule, std::string reason) {
        checked.refused.push_back({sent.test, rule, std::move(reason)});
    };
    const std::optional<int> test = wholeNumberIn(sent.test, FirstTest, LastTest);
    if (!test)
        return refuse(rules::ChecksumRule, "not a test number from 1 to 16");
    const std::optional<double> time = seconds(sent.time);
    if (!time)
        return refuse(rules::ChecksumRule, "the time is not a positive number");
    if (std::string problem = checksumProblem(*test, *time, sent.checksum, processor); !problem.empty())
        return refuse(rules::ChecksumRule, std::move(problem));
    if (std::string problem = refusal(rules::checkThreadCount(checked.threads)); !problem.empty())
        return refuse(rules::ThreadCountRule, std::move(problem));
    if (std::string problem = refusal(rules::checkPhysicalFloor(*test, checked.threads, *time)); !problem.empty())
        return refuse(rules::PhysicalFloorRule, std::move(problem));
    checked.accepted.push_back({*test, sent.time, *time, sent.checksum});
}

// The texts of a submission that are stored and shown: on pages, in the
// JSON and in the terminal of whoever looks a result up.
std::vector<std::pair<const char *, const std::string *>> shownTexts(const SubmitMessage &message)
{
    std::vector<std::pair<const char *, const std::string *>> texts = {{"submitter name", &message.submitter},
                                                                       {"description", &message.description}};
    for (const ProcessorText &text : ProcessorTexts)
        texts.emplace_back(text.name, &(message.processor.*text.member));
    return texts;
}

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// A control byte has no place in a stored text: a NUL ends the statement
// text of PostgreSQL's Qt driver, escape sequences would reach the terminal
// of whoever looks the result up, and CR LF would forge reply lines.
std::optional<MessageError> controlByteProblem(const SubmitMessage &message)
{
    for (const auto &[name, text] : shownTexts(message)) {
        const auto found = std::find_if(text->begin(), text->end(), isControlByte);
        if (found == text->end())
            continue;
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(*found));
        return MessageError{false, std::string("the ") + name + " holds the control byte " + code};
    }
    return std::nullopt;
}

} // namespace

std::variant<CheckedSubmission, MessageError> checkSubmission(const SubmitMessage &message)
{
    if (std::optional<MessageError> problem = controlByteProblem(message))
        return *problem;
    const std::optional<int> threads = wholeNumberIn(message.threads, 1, LargestThreadCount);
    if (!threads)
        return MessageError{false, "the thread count is not a whole number from 1 to 32767"};
    CheckedSubmission checked;
    checked.threads = *threads;
    for (const SubmittedTest &test : message.tests)
        checkTest(test, message.processor, checked);
    return checked;
}

} // namespace tarvik::server
