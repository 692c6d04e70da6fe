#include "submissions.h"

#include "hardware/clock_check.h"
#include "hardware/hardware_summary.h"
#include "hardware/processor_fields.h"
#include "foundation/protocol.h"
#include "protocol/message_builder.h"
#include "protocol/reply_lines.h"
#include "records/hash_table.h"

#include <optional>
#include <regex>

namespace tarvik::server::testing {

HardwareFields reportMachine(char decimalSeparator)
{
    HashTable report;
    // The specification has blanks around it, as reports give it.
    for (const auto &[key, value] : std::vector<std::pair<std::string, std::string>>{
             {"Processors Information.Name", "Intel Core 2 Duo E6600"},
             {"Processors Information.Specification", " Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz "},
             {"Processors Information.Codename", "Conroe"},
             {"Processors Information.Core Stepping", "B2"},
             {"Processors Information.Core Speed", "2400.5 MHz"},
             {"Processors Information.Rated Bus speed", "266.7 MHz"},
             {"Processors Information.max VID", "1.325 V"},
             {"Processors Information.L2 cache", "2 x 2048 KBytes"},
             {"Chipset.Memory Type", "DDR2"},
             {"Chipset.Memory Size", "2048 MBytes"},
             {"Chipset.Memory Frequency", "333.5 MHz"},
             {"Chipset.CAS#", "5 clocks"},
             {"Chipset.RAS# to CAS#", "5 clocks"},
             {"Chipset.RAS# Precharge", "5 clocks"},
             {"Chipset.Cycle Time (tRAS)", "15 clocks"},
             {"DMI Baseboard.vendor", "ASUSTeK Computer INC."},
             {"DMI Baseboard.model", "P5B"},
         })
        report.setValue(key, value);
    HardwareFields fields;
    summarizeReport(
        report, decimalSeparator, [](const std::string &) {}, fields);
    return fields;
}

HardwareFields scanMachine()
{
    const std::vector<ProcessorInfo> processors = {{"AMD Athlon(tm) 64 X2 Dual Core Processor 4200+", 2200, 512}};
    ClockCheck check;
    HardwareFields fields;
    describeProcessors(
        processors, check, '.', [](const std::string &) {}, fields);
    return fields;
}

std::string submitMessage(const std::string &submitter, const std::string &description, const HardwareFields &machine,
                          int threads, const std::vector<Record> &records, char decimalSeparator)
{
    SubmitFields fields{.submitter = submitter,
                        .description = description,
                        .processorRecord = machine.CPU_info,
                        .processorClock = machine.hwbotcpuclk,
                        .processorSpecification = machine.hwbotcpu,
                        .threads = threads,
                        .times = {},
                        .decimalSeparator = decimalSeparator};
    for (const Record &record : records)
        fields.times.push_back({static_cast<std::int16_t>(record.test), record.seconds});
    return buildSubmit(fields);
}

std::string getMessage(const std::string &id)
{
    return buildGet(id);
}

std::map<int, std::int64_t> resultIds(const std::string &answer)
{
    std::map<int, std::int64_t> ids;
    for (int test = FirstTest; test <= LastTest; ++test) {
        if (const std::optional<std::int32_t> id = replies::resultId(answer, test))
            ids[test] = *id;
    }
    return ids;
}

std::vector<std::int64_t> linkedIds(const std::string &page)
{
    static const std::regex link("score\\.cgi\\?id=(\\d+)\"");
    std::vector<std::int64_t> ids;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), link); it != std::sregex_iterator(); ++it)
        ids.push_back(std::stoll((*it)[1].str()));
    return ids;
}

std::optional<Management> managementIn(const std::string &answer)
{
    static const std::regex address("/manage\\?submission=(\\d+)&(?:amp;)?key=([0-9a-f]{32})");
    std::smatch found;
    if (!std::regex_search(answer, found, address))
        return std::nullopt;
    return Management{found[1].str(), found[2].str()};
}

} // namespace tarvik::server::testing
