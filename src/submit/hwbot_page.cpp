#include "submit/hwbot_page.h"

#include "foundation/html_text.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"
#include "protocol/checksum.h"
#include "submit/browser_submission.h"

#include <algorithm>

namespace tarvik::submit {

namespace {

std::string withPoints(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// HWBOT knows the two standard tests as two applications.
std::string applicationId(std::int16_t test)
{
    return test == StabilityTest ? "15" : "14";
}

// The clock as a whole number of MHz: half a megahertz is taken off before
// rounding, so a reading just above a whole clock (2400.3) keeps it.
std::string hwbotClock(const std::string &hwbotcpuclk)
{
    const double mhz = numbers::strictNumber(withPoints(hwbotcpuclk), '.');
    return std::to_string(numbers::toInt32(mhz - 0.5));
}

} // namespace

std::string property_string(const std::string &nam, const std::string &property)
{
    return "<input type=hidden name=" + nam + " value='" + htmlEscaped(property) + "'>\r\n";
}

std::string clientVersion(int major, int minor, int revision)
{
    return std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision);
}

std::vector<FormField> hwbotFields(const HwbotScore &score, const HwbotContext &context)
{
    const HardwareFields &hw = context.hw;
    const std::string cpu = hw.hwbot_send_cpu.empty() ? hw.hwbotcpu : hw.hwbot_send_cpu;
    const std::string cpuclock = hwbotClock(hw.hwbotcpuclk);
    std::vector<FormField> fields = {
        {"score", withPoints(numbers::numberText(score.time, context.decimalSeparator))},
        {"checksum", csum(score.test, score.time, cpuclock, cpu, context.decimalSeparator)},
        {"description", score.description},
        {"applicationId", applicationId(score.test)},
        {"cpu", cpu},
        {"cpuclock", cpuclock},
        {"client", "Tarvik"},
        {"clientVersion", context.clientVersion},
        // The blank ends the unquoted name in the page; browsers post the
        // name without it.
        {"memType ", hw.mem_type},
        {"memSize ", hw.mem_size},
        {"memClock ", hw.mem_freq},
        {"memTCas ", hw.mem_cas},
        {"memTRCD ", hw.mem_rcd},
        {"memTRP ", hw.mem_rp},
        {"memTRAS", hw.mem_tras},
        {"mbModel", hw.board_model},
        {"mbVendor", hw.board_vendor},
    };
    if (score.submissionId != 0)
        fields.push_back({"verificationUrl", scorePageUrl(context.webAddress, score.submissionId)});
    return fields;
}

std::string hwbotForm(const std::string &action, const std::vector<FormField> &fields)
{
    std::string form = "<form name=frm action='" + htmlEscaped(action) + "' method=POST>";
    for (const FormField &field : fields)
        form += property_string(field.name, field.value);
    return form + "</form>";
}

std::string hwbotPage(const std::string &form)
{
    return "<html><head><script language=JavaScript>function submitThing(){document.frm.submit();}</script>"
           "</head><body onLoad='submitThing();'>" +
           form + "</body></html>";
}

std::string pageFileName(std::int16_t test)
{
    return "submission" + std::to_string(test) + ".htm";
}

} // namespace tarvik::submit
