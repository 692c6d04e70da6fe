#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tarvik {

// The processor and machine description a submission carries. The program
// sends it in one of two forms: the full form of its hardware report (tagged
// "cehi", thirteen values) or the short form of its processor scan (name,
// clock, level-2 cache). Fields the form does not carry stay empty.
struct ProcessorRecord {
    enum class Form { Report, Scan, Missing };

    Form form = Form::Missing;
    std::string specification; // the long model string (the scan's name)
    std::string clock;         // MHz, number text with "." as decimal point
    std::string l2Cache;       // KB
    std::string vcore;
    std::string fsb;
    std::string codename;
    std::string stepping;
    std::string memorySize;
    std::string memoryType;
    std::string memoryFrequency;
    std::string memoryTimings; // "Cl 5-5-5-15"
    std::string boardVendor;
    std::string boardModel;

    bool operator==(const ProcessorRecord &) const = default;
};

// One text of the record, with the name a refusal gives it.
struct ProcessorText {
    const char *name;
    std::string ProcessorRecord::*member;
};

// Every text of the record in the order the report form sends them; the scan
// form sends the first three.
inline constexpr std::array<ProcessorText, 13> ProcessorTexts{{
    {"processor", &ProcessorRecord::specification},
    {"clock", &ProcessorRecord::clock},
    {"level-2 cache", &ProcessorRecord::l2Cache},
    {"core voltage", &ProcessorRecord::vcore},
    {"bus clock", &ProcessorRecord::fsb},
    {"code name", &ProcessorRecord::codename},
    {"stepping", &ProcessorRecord::stepping},
    {"memory size", &ProcessorRecord::memorySize},
    {"memory type", &ProcessorRecord::memoryType},
    {"memory frequency", &ProcessorRecord::memoryFrequency},
    {"memory timings", &ProcessorRecord::memoryTimings},
    {"mainboard vendor", &ProcessorRecord::boardVendor},
    {"mainboard model", &ProcessorRecord::boardModel},
}};

// The tag that opens the report form.
inline constexpr const char *ReportFormTag = "cehi";
// How many fields each form takes, its tag included.
inline constexpr std::size_t ReportFormFields = 1 + ProcessorTexts.size();
inline constexpr std::size_t ScanFormFields = 3;

// The record from its fields (exactly ReportFormFields fields starting with
// the tag, or exactly ScanFormFields fields).
ProcessorRecord reportFormRecord(const std::vector<std::string> &fields);
ProcessorRecord scanFormRecord(const std::vector<std::string> &fields);

// The fields of the record in its own form (none for a missing one): what
// the two readers above take back.
std::vector<std::string> recordFields(const ProcessorRecord &record);
// The record as a message carries it and a score file keeps it: its fields,
// each ended by the separator.
std::string recordText(const ProcessorRecord &record);

// The record back from recordText's bytes; a text of neither form gives a
// missing record.
ProcessorRecord recordFromText(const std::string &text);

// Name of the form, as stored beside the record.
const char *formName(ProcessorRecord::Form form);
ProcessorRecord::Form formFromName(const std::string &name);

} // namespace tarvik
