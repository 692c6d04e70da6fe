// The hardware-report helper: started as "cpuz141 -txt=<folder>/out", it
// describes this machine in <folder>/out.txt for the benchmark to read.

#include "hardware/report_helper/command_output.h"
#include "hardware/report_helper/helper_invocation.h"
#include "hardware/report_helper/machine_facts_reader.h"
#include "hardware/system_files.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>

namespace {

std::filesystem::path settingsFile(const char *argv0)
{
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        executable = std::filesystem::absolute(argv0, error);
    return executable.parent_path() / "cpuz.ini";
}

} // namespace

int main(int argc, char **argv)
{
    using namespace tarvik;
    const auto reportPath = reportPathFromArguments({argv + 1, argv + argc});
    if (!reportPath) {
        std::cerr << "usage: " << argv[0] << " -txt=<folder>/<name>   writes the report to <folder>/<name>.txt\n";
        return 2;
    }
    const ReportOptions options = reportOptionsFromSettings(readFileText(settingsFile(argv[0])).value_or(""));
    const bool root = geteuid() == 0;
    const MachineFacts facts = collectMachineFacts(
        "/", MachineSources{commandOutput({"udevadm", "info", "-p", "/sys/devices/virtual/dmi/id"}),
                            commandOutput({"dmidecode", "-t", "17"}), identifyThisProcessor(), root});
    if (!writeReportFile(*reportPath, reportText(facts, options))) {
        std::cerr << argv[0] << ": cannot write " << reportPath->string() << "\n";
        return 1;
    }
    return 0;
}
