#include "hardware/hardware_commands.h"

#include "console/frm_main.h"

namespace tarvik {

std::vector<ConsoleCommand> hardwareCommands(frmMain &console)
{
    return {
        {"refcpuz", [&console](const std::string &) { console.hardware.GetCPUz(); }},
        {"refhw", [&console](const std::string &) { console.Threads = console.hardware.ScanSystem(); }},
    };
}

} // namespace tarvik
