#include "submit/submit_message.h"

#include "foundation/numbers.h"
#include "protocol/checksum.h"

namespace tarvik::submit {

namespace {

std::string field(const std::string &text)
{
    return text + FieldSeparator;
}

} // namespace

std::string BuildSubmit(const std::string &s_name, const std::string &s_description, const HardwareFields &hw,
                        std::int16_t threads, const Records &records, char decimalSeparator)
{
    std::string message =
        field("SUBMIT") + field(s_name) + field(s_description) + hw.CPU_info + field(std::to_string(threads));
    for (std::int16_t test = Records::First; test <= Records::Last; ++test) {
        const double best = records.get(test);
        if (best == 0)
            continue;
        // The server checks the checksum against the time it receives, so
        // both are made from the same three-decimal value.
        const double sent = numbers::roundHalfEven(best, 3);
        message += field(std::to_string(test)) + field(numbers::numberText(sent, decimalSeparator)) +
                   field(csum(test, sent, hw.hwbotcpuclk, hw.hwbotcpu, decimalSeparator));
    }
    return message;
}

std::string BuildGet(const std::string &id)
{
    return field("GET") + field(id);
}

} // namespace tarvik::submit
