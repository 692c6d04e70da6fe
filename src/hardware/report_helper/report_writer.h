#pragma once

#include "hardware/report_helper/machine_facts.h"

#include <string>

namespace tarvik {

struct ReportOptions {
    bool dmi = false; // add the DMI sections: BIOS, system, mainboard, memory modules, enclosure
};

// The hardware report: lines ended by CR LF, each section a title line, a
// line of dashes and items of a tab, a name, tabs and a value. Numbers use "."
// as decimal point whatever the locale. An item whose value is unknown is
// left out, and so is a section without items. "DMI System Enclosure" comes
// last, since readers of the report stop there.
std::string reportText(const MachineFacts &facts, const ReportOptions &options);

// The brand string without trademark marks, the word "CPU" or "Processor"
// and the "@ clock" tail: "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz" gives
// "Intel Core i5-8250U".
std::string shortProcessorName(const std::string &brand);

} // namespace tarvik
