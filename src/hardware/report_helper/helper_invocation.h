#pragma once

#include "hardware/report_helper/report_writer.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// The report file that the arguments ask for: "-txt=<base>" names
// "<base>.txt". Nothing when no argument names one.
std::optional<std::filesystem::path> reportPathFromArguments(const std::vector<std::string> &arguments);

// The options of the settings file (cpuz.ini) beside the helper: a line
// "DMI=ON" adds the DMI sections. Keys and values ignore letter case; a
// missing file gives the defaults.
ReportOptions reportOptionsFromSettings(const std::string &settingsText);

// Writes the report beside its final name and renames it into place, so that
// a reader waiting for the file never sees half of it. Returns whether the
// report is in place.
bool writeReportFile(const std::filesystem::path &path, const std::string &text);

} // namespace tarvik
