#include "protocol/message.h"

#include <algorithm>
#include <cctype>

namespace tarvik {

namespace {

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

// Whether the bytes so far can still grow into "SUBMIT" or "GET" and a separator.
bool mayBecomeVerb(std::string_view bytes)
{
    return SubmitVerb.starts_with(bytes) || GetVerb.starts_with(bytes);
}

} // namespace

void MessageReader::feed(std::string_view bytes)
{
    const std::size_t scanFrom = m_bytes.size();
    m_bytes.append(bytes);
    for (std::size_t end = scanFrom; (end = m_bytes.find(FieldSeparator, end)) != std::string::npos; ++end) {
        m_fields.push_back(m_bytes.substr(m_fieldStart, end - m_fieldStart));
        m_fieldStart = end + 1;
        if (m_fields.size() == SubmitHeaderFields + 1)
            m_processorFields = processorFieldCount(m_fields, SubmitHeaderFields);
    }
}

bool MessageReader::isGet() const
{
    return !m_fields.empty() && m_fields[0] == GetVerb;
}

std::optional<MessageError> MessageReader::problem() const
{
    const bool partialTail = m_fieldStart < m_bytes.size();
    if (m_fields.empty()) {
        if (mayBecomeVerb(std::string_view(m_bytes).substr(m_fieldStart)))
            return incomplete();
        return malformed("the message is neither SUBMIT nor GET");
    }
    if (m_fields[0] != SubmitVerb && m_fields[0] != GetVerb)
        return malformed("the message is neither SUBMIT nor GET");
    if (isGet()) {
        // A GET is whole with its id, so any byte after that is too many.
        if (m_fields.size() > 2 || (m_fields.size() == 2 && partialTail))
            return malformed("a GET carries only the result id");
        if (m_fields.size() < 2)
            return incomplete();
        return std::nullopt;
    }
    if (partialTail)
        return incomplete();
    return submitProblem();
}

std::optional<MessageError> MessageReader::submitProblem() const
{
    if (m_fields.size() <= SubmitHeaderFields)
        return incomplete();
    const std::size_t threadsField = SubmitHeaderFields + m_processorFields;
    if (m_fields.size() <= threadsField || (m_fields.size() - threadsField - 1) % FieldsPerTest != 0)
        return incomplete();
    return std::nullopt;
}

ParsedMessage MessageReader::message() const
{
    if (auto error = problem())
        return *error;
    if (isGet())
        return GetMessage{m_fields[1]};
    SubmitMessage message;
    message.submitter = m_fields[1];
    message.description = m_fields[2];
    message.processor = processorRecord(m_fields, SubmitHeaderFields, m_processorFields);
    const std::size_t threadsField = SubmitHeaderFields + m_processorFields;
    message.threads = m_fields[threadsField];
    for (std::size_t i = threadsField + 1; i < m_fields.size(); i += FieldsPerTest)
        message.tests.push_back({m_fields[i], m_fields[i + 1], m_fields[i + 2]});
    return message;
}

ParsedMessage parseMessage(const std::string &bytes)
{
    MessageReader reader;
    reader.feed(bytes);
    return reader.message();
}

} // namespace tarvik
