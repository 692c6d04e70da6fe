#include "protocol/message_builder.h"

#include "foundation/numbers.h"
#include "foundation/protocol.h"
#include "protocol/checksum.h"

namespace tarvik {

namespace {

std::string field(std::string_view text)
{
    return std::string(text) + FieldSeparator;
}

// Every SUBMIT, built or written again, takes this one layout.
std::string submitBytes(const std::string &submitter, const std::string &description,
                        const std::string &processorRecord, const std::string &threads,
                        const std::vector<SubmittedTest> &tests)
{
    std::string bytes = field(SubmitVerb) + field(submitter) + field(description) + processorRecord + field(threads);
    for (const SubmittedTest &test : tests)
        bytes += field(test.test) + field(test.time) + field(test.checksum);
    return bytes;
}

} // namespace

std::string buildSubmit(const SubmitFields &fields)
{
    std::vector<SubmittedTest> tests;
    for (const BestTime &best : fields.times) {
        // The server checks the checksum against the time it receives, so
        // both are made from the same three-decimal value.
        const double sent = numbers::roundHalfEven(best.seconds, 3);
        tests.push_back(
            {std::to_string(best.test), numbers::numberText(sent, fields.decimalSeparator),
             csum(best.test, sent, fields.processorClock, fields.processorSpecification, fields.decimalSeparator)});
    }
    return submitBytes(fields.submitter, fields.description, fields.processorRecord, std::to_string(fields.threads),
                       tests);
}

std::string buildGet(const std::string &id)
{
    return field(GetVerb) + field(id);
}

std::string messageBytes(const SubmitMessage &message)
{
    return submitBytes(message.submitter, message.description, recordText(message.processor), message.threads,
                       message.tests);
}

std::string messageBytes(const GetMessage &message)
{
    return buildGet(message.id);
}

} // namespace tarvik
