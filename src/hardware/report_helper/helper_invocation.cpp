#include "hardware/report_helper/helper_invocation.h"

#include "foundation/blanks.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace tarvik {

namespace {

std::string upperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

std::optional<std::filesystem::path> reportPathFromArguments(const std::vector<std::string> &arguments)
{
    constexpr std::string_view option = "-txt=";
    for (const std::string &argument : arguments)
        if (argument.starts_with(option) && argument.size() > option.size())
            return std::filesystem::path(argument.substr(option.size()) + ".txt");
    return std::nullopt;
}

ReportOptions reportOptionsFromSettings(const std::string &settingsText)
{
    ReportOptions options;
    std::istringstream lines(settingsText);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && upperCase(trimWhitespace(line.substr(0, equals))) == "DMI")
            options.dmi = upperCase(trimWhitespace(line.substr(equals + 1))) == "ON";
    }
    return options;
}

bool writeReportFile(const std::filesystem::path &path, const std::string &text)
{
    std::filesystem::path partial = path;
    partial += ".partial";
    bool written = false;
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        written = out && (out << text) && out.flush();
    }
    std::error_code error;
    if (written)
        std::filesystem::rename(partial, path, error);
    if (!written || error) {
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

} // namespace tarvik
