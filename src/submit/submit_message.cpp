#include "submit/submit_message.h"

#include "protocol/message_builder.h"
#include "submit/submitted_records.h"

namespace tarvik::submit {

std::string BuildSubmit(const std::string &s_name, const std::string &s_description, const HardwareFields &hw,
                        std::int16_t threads, const Records &records, char decimalSeparator)
{
    const SubmitFields fields{.submitter = s_name,
                              .description = s_description,
                              .processorRecord = hw.CPU_info,
                              .processorClock = hw.hwbotcpuclk,
                              .processorSpecification = hw.hwbotcpu,
                              .threads = threads,
                              .times = submittedRecords(records).times,
                              .decimalSeparator = decimalSeparator};
    return buildSubmit(fields);
}

} // namespace tarvik::submit
