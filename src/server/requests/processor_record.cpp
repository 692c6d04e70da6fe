#include "requests/processor_record.h"

namespace tarvik::server {

ProcessorRecord reportFormRecord(const std::vector<std::string> &fields)
{
    ProcessorRecord record;
    record.form = ProcessorRecord::Form::Report;
    record.specification = fields[1];
    record.clock = fields[2];
    record.l2Cache = fields[3];
    record.vcore = fields[4];
    record.fsb = fields[5];
    record.codename = fields[6];
    record.stepping = fields[7];
    record.memorySize = fields[8];
    record.memoryType = fields[9];
    record.memoryFrequency = fields[10];
    record.memoryTimings = fields[11];
    record.boardVendor = fields[12];
    record.boardModel = fields[13];
    return record;
}

ProcessorRecord scanFormRecord(const std::vector<std::string> &fields)
{
    ProcessorRecord record;
    record.form = ProcessorRecord::Form::Scan;
    record.specification = fields[0];
    record.clock = fields[1];
    record.l2Cache = fields[2];
    return record;
}

std::vector<std::string> recordFields(const ProcessorRecord &record)
{
    switch (record.form) {
    case ProcessorRecord::Form::Report:
        return {ReportFormTag,      record.specification, record.clock,           record.l2Cache,
                record.vcore,       record.fsb,           record.codename,        record.stepping,
                record.memorySize,  record.memoryType,    record.memoryFrequency, record.memoryTimings,
                record.boardVendor, record.boardModel};
    case ProcessorRecord::Form::Scan:
        return {record.specification, record.clock, record.l2Cache};
    case ProcessorRecord::Form::Missing:
        break;
    }
    return {};
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

} // namespace tarvik::server
