#include "protocol/message.h"

#include <algorithm>
#include <cctype>

namespace tarvik::server {

namespace {

const std::string SubmitVerb = "SUBMIT";
const std::string GetVerb = "GET";

// Submitter name and description follow the verb.
constexpr std::size_t SubmitHeaderFields = 3;
constexpr std::size_t FieldsPerTest = 3;

MessageError incomplete()
{
    return {true, "the message ends before its last field"};
}

MessageError malformed(std::string reason)
{
    return {false, std::move(reason)};
}

// The complete fields of `bytes`, and whether a partial field follows them.
std::vector<std::string> completeFields(const std::string &bytes, bool &partialTail)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find(FieldSeparator, start)) != std::string::npos; start = end + 1)
        fields.push_back(bytes.substr(start, end - start));
    partialTail = start < bytes.size();
    return fields;
}

bool isWholeNumber(const std::string &text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The processor record opens the fields after the header. A record of the
// report form starts with its tag; a record whose first field is a bare
// number is missing altogether (that field is then the thread count, since
// no processor is named by a number); anything else is the scan form.
std::size_t processorFieldCount(const std::vector<std::string> &fields, std::size_t first)
{
    if (fields[first] == ReportFormTag)
        return ReportFormFields;
    if (isWholeNumber(fields[first]))
        return 0;
    return ScanFormFields;
}

ProcessorRecord processorRecord(const std::vector<std::string> &fields, std::size_t first, std::size_t count)
{
    const std::vector<std::string> own(fields.begin() + first, fields.begin() + first + count);
    if (count == ReportFormFields)
        return reportFormRecord(own);
    if (count == ScanFormFields)
        return scanFormRecord(own);
    return {};
}

ParsedMessage parseSubmit(const std::vector<std::string> &fields)
{
    if (fields.size() <= SubmitHeaderFields)
        return incomplete();
    const std::size_t processorFields = processorFieldCount(fields, SubmitHeaderFields);
    const std::size_t threadsField = SubmitHeaderFields + processorFields;
    if (fields.size() <= threadsField || (fields.size() - threadsField - 1) % FieldsPerTest != 0)
        return incomplete();

    SubmitMessage message;
    message.submitter = fields[1];
    message.description = fields[2];
    message.processor = processorRecord(fields, SubmitHeaderFields, processorFields);
    message.threads = fields[threadsField];
    for (std::size_t i = threadsField + 1; i < fields.size(); i += FieldsPerTest)
        message.tests.push_back({fields[i], fields[i + 1], fields[i + 2]});
    return message;
}

ParsedMessage parseGet(const std::vector<std::string> &fields)
{
    if (fields.size() < 2)
        return incomplete();
    if (fields.size() > 2)
        return malformed("a GET carries only the result id");
    return GetMessage{fields[1]};
}

// Whether the bytes so far can still grow into "SUBMIT" or "GET" and a separator.
bool mayBecomeVerb(const std::string &bytes)
{
    return SubmitVerb.starts_with(bytes) || GetVerb.starts_with(bytes);
}

} // namespace

ParsedMessage parseMessage(const std::string &bytes)
{
    bool partialTail = false;
    const std::vector<std::string> fields = completeFields(bytes, partialTail);
    if (fields.empty())
        return mayBecomeVerb(bytes) ? ParsedMessage(incomplete()) : malformed("the message is neither SUBMIT nor GET");
    if (fields[0] != SubmitVerb && fields[0] != GetVerb)
        return malformed("the message is neither SUBMIT nor GET");
    // A GET is whole with its id, so any byte after that is too many.
    if (partialTail)
        return fields[0] == GetVerb && fields.size() >= 2 ? ParsedMessage(malformed("a GET carries only the result id"))
                                                          : ParsedMessage(incomplete());
    return fields[0] == SubmitVerb ? parseSubmit(fields) : parseGet(fields);
}

} // namespace tarvik::server
