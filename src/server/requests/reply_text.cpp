#include "requests/reply_text.h"

#include "foundation/numbers.h"

namespace tarvik::server::replies {

namespace {

using tarvik::replies::labelledLine;

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
        text += tarvik::replies::resultIdLine(checked.accepted[i].test, ids[i]);
    for (const RefusedTest &test : checked.refused)
        text += tarvik::replies::refusedTestLine(test.test, test.reason);
    if (text.empty())
        text = tarvik::replies::nothingStored();
    return text;
}

std::string result(const StoredResult &stored)
{
    const ProcessorRecord &processor = stored.processor;
    std::string text = labelledLine("Result", std::to_string(stored.id));
    text += labelledLine("Submitter", stored.submitter);
    text += labelledLine("Description", stored.description);
    text += labelledLine("Processor", processor.specification);
    text += labelledLine("Clock", processor.clock + " MHz");
    if (processor.form == ProcessorRecord::Form::Report) {
        text += labelledLine("Memory", memoryText(processor));
        text += labelledLine("Mainboard", processor.boardVendor + " " + processor.boardModel);
    }
    text += labelledLine("Threads", std::to_string(stored.threads));
    text += labelledLine("Test", std::to_string(stored.test) + " " + testCaption(stored.test));
    text += labelledLine("Time", numbers::numberText(stored.seconds) + " s");
    text += labelledLine("Submitted", stored.submittedAt + " UTC");
    text += labelledLine("Checksum", stored.checksum + " (verified)");
    return text;
}

} // namespace tarvik::server::replies
