#include "requests/reply_text.h"

#include "foundation/numbers.h"
#include "foundation/protocol.h"

namespace tarvik::server::replies {

namespace {

std::string line(const std::string &text)
{
    return text + std::string(LineEnd);
}

std::string labelled(const std::string &label, const std::string &value)
{
    return line(label + ": " + value);
}

std::string memoryText(const ProcessorRecord &processor)
{
    std::string text = processor.memorySize.empty() ? std::string() : processor.memorySize + " MB ";
    text += processor.memoryType;
    if (!processor.memoryFrequency.empty())
        text += " at " + processor.memoryFrequency + " MHz";
    if (!processor.memoryTimings.empty())
        text += ", " + processor.memoryTimings;
    return text;
}

} // namespace

std::string submitted(const CheckedSubmission &checked, const std::vector<std::int64_t> &ids)
{
    std::string text;
    for (std::size_t i = 0; i < checked.accepted.size() && i < ids.size(); ++i)
        text += line(std::to_string(checked.accepted[i].test) + " - result id = " + std::to_string(ids[i]));
    for (const RefusedTest &test : checked.refused)
        text += line(test.test + " - refused: " + test.reason);
    if (text.empty())
        text = line("The submission holds no test result; nothing was stored.");
    return text;
}

std::string refused(const std::string &reason)
{
    return line("Message refused: " + reason + ".");
}

std::string result(const StoredResult &stored)
{
    const ProcessorRecord &processor = stored.processor;
    std::string text = labelled("Result", std::to_string(stored.id));
    text += labelled("Submitter", stored.submitter);
    text += labelled("Description", stored.description);
    text += labelled("Processor", processor.specification);
    text += labelled("Clock", processor.clock + " MHz");
    if (processor.form == ProcessorRecord::Form::Report) {
        text += labelled("Memory", memoryText(processor));
        text += labelled("Mainboard", processor.boardVendor + " " + processor.boardModel);
    }
    text += labelled("Threads", std::to_string(stored.threads));
    text += labelled("Test", std::to_string(stored.test) + " " + testCaption(stored.test));
    text += labelled("Time", numbers::numberText(stored.seconds) + " s");
    text += labelled("Submitted", stored.submittedAt + " UTC");
    text += labelled("Checksum", stored.checksum + " (verified)");
    return text;
}

std::string noSuchResult(const std::string &id)
{
    return line("There is no result with id " + id + ".");
}

std::string databaseUnavailable()
{
    return line("The result database is unavailable; nothing was stored or read. Please try again later.");
}

std::string busy()
{
    return line("The server is busy; please try again later.");
}

} // namespace tarvik::server::replies
