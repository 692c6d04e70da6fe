#include "submit/submit_message.h"

#include "protocol/message_builder.h"

namespace tarvik::submit {

std::string BuildSubmit(const std::string &s_name, const std::string &s_description, const HardwareFields &hw,
                        std::int16_t threads, const Records &records, char decimalSeparator)
{
    SubmitFields fields{.submitter = s_name,
                        .description = s_description,
                        .processorRecord = hw.CPU_info,
                        .processorClock = hw.hwbotcpuclk,
                        .processorSpecification = hw.hwbotcpu,
                        .threads = threads,
                        .times = {},
                        .decimalSeparator = decimalSeparator};
    for (std::int16_t test = Records::First; test <= Records::Last; ++test) {
        if (const double best = records.get(test); best != 0)
            fields.times.push_back({test, best});
    }
    return buildSubmit(fields);
}

} // namespace tarvik::submit
