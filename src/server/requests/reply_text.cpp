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

std::string verdictLine(const StoredTest &test)
{
    using rules::Verdict;
    if (test.alreadyStored)
        return tarvik::replies::alreadyStoredLine(test.test, test.id, rules::verdictWords(test.decision.verdict));
    if (test.decision.verdict == Verdict::Held)
        return tarvik::replies::heldTestLine(test.test, test.decision.reason);
    return tarvik::replies::acceptedTestLine(test.test, rules::Version);
}

} // namespace

std::string submitted(const CheckedSubmission &checked, const StoredSubmission &stored, const std::string &webAddress)
{
    std::string text;
    for (const StoredTest &test : stored.tests)
        text += tarvik::replies::resultIdLine(test.test, test.id);
    for (const StoredTest &test : stored.tests)
        text += verdictLine(test);
    for (const RefusedTest &test : checked.refused)
        text += tarvik::replies::refusedTestLine(test.test, test.reason);
    if (stored.submissionId != 0)
        text += tarvik::replies::managementLine(webAddress + managementPath(stored.submissionId, stored.managementKey));
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
    text += labelledLine("Verdict", verdictText(stored));
    return text;
}

} // namespace tarvik::server::replies
