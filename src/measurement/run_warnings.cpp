#include "measurement/run_warnings.h"

#include <cstdio>

namespace tarvik::measurement {

namespace {

std::string wholeText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

std::string joined(const std::vector<std::string> &values)
{
    std::string text;
    for (const std::string &value : values)
        text += (text.empty() ? "" : ", ") + value;
    return text;
}

void warnOfLoad(const RunConditions &c, std::vector<RunWarning> &warnings)
{
    if (c.load && c.load->share() > MostOthersShare)
        warnings.push_back({"load", "Other processes used " + percentText(c.load->share()) +
                                        " % of the processor time: they took cores from the test."});
}

void warnOfGovernor(const RunConditions &c, std::vector<RunWarning> &warnings)
{
    const std::vector<std::string> &governors = c.system.governors;
    if (!governors.empty() && (governors.size() > 1 || governors.front() != "performance"))
        warnings.push_back({"governor", "The scaling governor is " + joined(governors) +
                                            ", not performance: the clock may drop or rise while the test runs."});
}

void warnOfThrottling(const RunConditions &c, std::vector<RunWarning> &warnings)
{
    if (c.throttleEvents && *c.throttleEvents > 0)
        warnings.push_back({"throttling", "The CPUs were throttled " + std::to_string(*c.throttleEvents) +
                                              " times: they ran too hot to keep their clock."});
}

void warnOfFrequencies(const RunConditions &c, std::vector<RunWarning> &warnings)
{
    const std::optional<FrequencyRange> f = c.frequencies();
    if (f && f->maximum - f->minimum > MostFrequencySpread * f->median)
        warnings.push_back({"frequency", "The CPUs ran between " + wholeText(f->minimum) + " and " +
                                             wholeText(f->maximum) + " MHz: the clock was not steady."});
}

void warnOfVirtualMachine(const RunConditions &c, std::vector<RunWarning> &warnings)
{
    if (c.system.virtualMachine)
        warnings.push_back(
            {"virtual-machine", "The program runs in a virtual machine" +
                                    (c.system.hypervisor.empty() ? std::string() : " (" + c.system.hypervisor + ")") +
                                    ": the host may give its processors to other guests."});
}

} // namespace

std::string percentText(double share)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", share * 100);
    return text;
}

std::vector<RunWarning> runWarnings(const RunConditions &conditions)
{
    std::vector<RunWarning> warnings;
    warnOfLoad(conditions, warnings);
    warnOfGovernor(conditions, warnings);
    warnOfThrottling(conditions, warnings);
    warnOfFrequencies(conditions, warnings);
    warnOfVirtualMachine(conditions, warnings);
    return warnings;
}

} // namespace tarvik::measurement
