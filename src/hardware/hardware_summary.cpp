#include "hardware/hardware_summary.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "foundation/blanks.h"
#include "foundation/protocol.h"
#include "protocol/processor_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvik {

namespace {

float toSingle(double value)
{
    if (std::fabs(value) > std::numeric_limits<float>::max())
        throw Fault(faults::Overflow);
    return static_cast<float>(value);
}

// The report's values as the summary uses them: texts as reported, numbers
// by the leading-number rule (0 for a missing or non-numeric value).
struct ReportReading {
    explicit ReportReading(const HashTable &report)
        : specification(report.rawValue("Processors Information.Specification")),
          codename(report.rawValue("Processors Information.Codename")),
          stepping(report.rawValue("Processors Information.Core Stepping")),
          name(report.rawValue("Processors Information.Name")),
          memoryType(report.rawValue("Chipset.Memory Type")),
          boardVendor(report.rawValue("DMI Baseboard.vendor")),
          boardModel(report.rawValue("DMI Baseboard.model")),
          coreSpeed(number(report, "Processors Information.Core Speed")),
          maxVid(number(report, "Processors Information.max VID")),
          memorySize(number(report, "Chipset.Memory Size")),
          memoryFrequency(number(report, "Chipset.Memory Frequency")),
          cas(number(report, "Chipset.CAS#")),
          rasToCas(number(report, "Chipset.RAS# to CAS#")),
          rasPrecharge(number(report, "Chipset.RAS# Precharge")),
          cycleTime(number(report, "Chipset.Cycle Time (tRAS)")),
          vid(toSingle(maxVid)),
          fsb(busSpeed(report)),
          l2(levelTwoCache(report.rawValue("Processors Information.L2 cache")))
    {
    }

    std::string specification, codename, stepping, name, memoryType, boardVendor, boardModel;
    double coreSpeed, maxVid, memorySize, memoryFrequency, cas, rasToCas, rasPrecharge, cycleTime;
    float vid, fsb, l2;

    bool plausible() const { return coreSpeed >= 1 && coreSpeed < 10000; }

private:
    static double number(const HashTable &report, const char *key)
    {
        return numbers::leadingNumber(report.rawValue(key));
    }

    // The HyperTransport link speed where the report gives one, else the rated bus speed.
    static float busSpeed(const HashTable &report)
    {
        const double htLink = number(report, "Processors Information.HT Link speed");
        return toSingle(htLink != 0 ? htLink : number(report, "Processors Information.Rated Bus speed"));
    }

    // "2 x 2048 KBytes" stands for two blocks of 2048 KB; other values are one size.
    static float levelTwoCache(const std::string &value)
    {
        if (value.size() >= 3 && value[2] == 'x')
            return toSingle(numbers::leadingNumber(value.substr(std::min<std::size_t>(4, value.size()))) *
                            numbers::leadingNumber(value));
        return toSingle(numbers::leadingNumber(value));
    }
};

class SummaryTexts {
public:
    SummaryTexts(const ReportReading &reading, char decimalSeparator)
        : m_reading(reading),
          m_separator(decimalSeparator)
    {
    }

    std::string number(double value) const { return numbers::numberText(value, m_separator); }
    std::string single(float value) const { return numbers::singleText(value, m_separator); }

    std::string timings() const
    {
        return number(m_reading.cas) + "-" + number(m_reading.rasToCas) + "-" + number(m_reading.rasPrecharge) + "-" +
               number(m_reading.cycleTime);
    }

    std::string cpuString() const
    {
        const std::string lines[] = {
            m_reading.specification,
            "Core: " + trimBlanks(m_reading.codename) + " " + trimBlanks(m_reading.stepping),
            "Clock: " + number(m_reading.coreSpeed) + " MHz",
            m_reading.vid != 0 ? "Vcore: " + single(m_reading.vid) + " V" : std::string(),
            "FSB: " + single(m_reading.fsb) + " MHz",
            "L2 Cache: " + single(m_reading.l2) + " KB",
            "",
            "Memory: " + number(m_reading.memorySize) + " MB " + m_reading.memoryType,
            "Frequency: " + number(m_reading.memoryFrequency) + " MHz @ " + timings(),
            "",
            "Mainboard: " + m_reading.boardVendor + " " + m_reading.boardModel,
        };
        std::string text = lines[0];
        for (std::size_t i = 1; i < std::size(lines); ++i)
            text += std::string(LineEnd) + lines[i];
        return text;
    }

    // The server record in its report form.
    std::string cpuInfo() const
    {
        ProcessorRecord record;
        record.form = ProcessorRecord::Form::Report;
        record.specification = trimBlanks(m_reading.specification);
        record.clock = number(m_reading.coreSpeed);
        std::replace(record.clock.begin(), record.clock.end(), ',', '.');
        record.l2Cache = single(m_reading.l2);
        record.vcore = number(m_reading.maxVid);
        record.fsb = single(m_reading.fsb);
        record.codename = trimBlanks(m_reading.codename);
        record.stepping = trimBlanks(m_reading.stepping);
        record.memorySize = number(m_reading.memorySize);
        record.memoryType = m_reading.memoryType;
        record.memoryFrequency = number(m_reading.memoryFrequency);
        record.memoryTimings = "Cl " + timings();
        record.boardVendor = m_reading.boardVendor;
        record.boardModel = m_reading.boardModel;
        return recordText(record);
    }

private:
    const ReportReading &m_reading;
    char m_separator;
};

void writeFields(const ReportReading &reading, const SummaryTexts &texts, HardwareFields &fields)
{
    fields.mem_type = reading.memoryType;
    fields.mem_size = texts.number(reading.memorySize);
    fields.mem_freq = texts.number(reading.memoryFrequency);
    fields.mem_cas = texts.number(reading.cas);
    fields.mem_rcd = texts.number(reading.rasToCas);
    fields.mem_rp = texts.number(reading.rasPrecharge);
    fields.mem_tras = texts.number(reading.cycleTime);
    fields.board_model = reading.boardModel;
    fields.board_vendor = reading.boardVendor;
    fields.cpu_string = texts.cpuString();
    fields.hwbot_send_cpu = reading.name;
    fields.hwbotcpu = reading.specification;
    fields.hwbotcpuclk = texts.number(reading.coreSpeed);
    fields.CPU_info = texts.cpuInfo();
}

} // namespace

void summarizeReport(const HashTable &report, char decimalSeparator, const LineSink &print, HardwareFields &fields)
{
    const ReportReading reading(report);
    const SummaryTexts texts(reading, decimalSeparator);

    print("");
    print("Found CPU: ");
    print(reading.specification);
    print(reading.codename + " Core");
    print(texts.number(reading.coreSpeed) + " MHz Clock");
    print(texts.single(reading.fsb) + " MHz FSB");
    print(texts.single(reading.l2) + " KB L2 Cache");

    if (reading.plausible())
        writeFields(reading, texts, fields);

    print(texts.number(reading.maxVid) + " V");
    print("Step " + reading.stepping);
    print("Found Memory: ");
    print(texts.number(reading.memorySize) + " MB " + reading.memoryType);
    print(texts.number(reading.memoryFrequency) + " MHz");
    print("Cl " + texts.timings());
    print("Found Motherboard: ");
    print(reading.boardVendor);
    print(reading.boardModel);
    print("");
}

} // namespace tarvik
