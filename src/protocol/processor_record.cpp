#include "protocol/processor_record.h"

#include "foundation/protocol.h"

namespace tarvik {

ProcessorRecord reportFormRecord(const std::vector<std::string> &fields)
{
    ProcessorRecord record;
    record.form = ProcessorRecord::Form::Report;
    for (std::size_t i = 0; i < ProcessorTexts.size(); ++i)
        record.*ProcessorTexts[i].member = fields[i + 1];
    return record;
}

ProcessorRecord scanFormRecord(const std::vector<std::string> &fields)
{
    ProcessorRecord record;
    record.form = ProcessorRecord::Form::Scan;
    for (std::size_t i = 0; i < ScanFormFields; ++i)
        record.*ProcessorTexts[i].member = fields[i];
    return record;
}

ProcessorRecord recordFromText(const std::string &text)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(FieldSeparator, start)) != std::string::npos; start = end + 1)
        fields.push_back(text.substr(start, end - start));
    if (start != text.size())
        return {}; // every field ends with the separator
    if (fields.size() == ReportFormFields && fields.front() == ReportFormTag)
        return reportFormRecord(fields);
    if (fields.size() == ScanFormFields)
        return scanFormRecord(fields);
    return {};
}

std::vector<std::string> recordFields(const ProcessorRecord &record)
{
    std::vector<std::string> fields;
    switch (record.form) {
    case ProcessorRecord::Form::Report:
        fields.push_back(ReportFormTag);
        for (const ProcessorText &text : ProcessorTexts)
            fields.push_back(record.*text.member);
        break;
    case ProcessorRecord::Form::Scan:
        for (std::size_t i = 0; i < ScanFormFields; ++i)
            fields.push_back(record.*ProcessorTexts[i].member);
        break;
    case ProcessorRecord::Form::Missing:
        break;
    }
    return fields;
}

std::string recordText(const ProcessorRecord &record)
{
    std::string text;
    for (const std::string &field : recordFields(record))
        text += field + FieldSeparator;
    return text;
}

const char *formName(ProcessorRecord::Form form)
{
    switch (form) {
    case ProcessorRecord::Form::Report:
        return "report";
    case ProcessorRecord::Form::Scan:
        return "scan";
    case ProcessorRecord::Form::Missing:
        break;
    }
    return "missing";
}

ProcessorRecord::Form formFromName(const std::string &name)
{
    if (name == "report")
        return ProcessorRecord::Form::Report;
    if (name == "scan")
        return ProcessorRecord::Form::Scan;
    return ProcessorRecord::Form::Missing;
}

} // namespace tarvik
