#pragma once

#include "submit/submit_console.h"

#include <string>
#include <vector>

namespace tarvik::testing {

// A console that records what the submission prints and asks of it.
class FakeSubmitConsole : public submit::SubmitConsole {
public:
    FakeSubmitConsole()
    {
        hw.CPU_info = "Intel Core 2 Duo E6600\x01"
                      "2400\x01";
        hw.hwbotcpu = "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz";
        hw.hwbotcpuclk = "2400";
        hw.hwbot_send_cpu = "Intel Core 2 Duo E6600";
    }

    void PrintLn(const std::string &line) override { lines.push_back(line); }
    char decimalSeparator() const override { return separator; }
    const Records &records() const override { return bestTimes; }
    SubmissionIds &submissionIds() override { return ids; }
    const HardwareFields &hardware() const override { return hw; }
    std::int16_t threads() const override { return threadCount; }
    void saveUserName(const std::string &name) override { savedName = name; }
    bool subHttp() const override { return http; }
    void setSubHttp(bool value) override { http = value; }
    bool directConnectionFailed() const override { return errorSetting; }
    void rememberDirectConnectionFailed() override { errorSetting = true; }
    bool revertToGui() const override { return fromGui; }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    void submitGuiLine() override { ++guiLines; }
    void runGui() override { ++guiRuns; }

    char separator = '.';
    Records bestTimes;
    SubmissionIds ids;
    HardwareFields hw;
    std::int16_t threadCount = 2;
    bool http = false;
    bool errorSetting = false;
    bool fromGui = false;

    std::vector<std::string> lines;
    std::vector<std::string> messages;
    std::string savedName;
    int guiLines = 0;
    int guiRuns = 0;
};

} // namespace tarvik::testing
