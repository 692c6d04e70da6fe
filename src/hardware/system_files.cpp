#include "hardware/system_files.h"

#include "foundation/blanks.h"

#include <fstream>
#include <sstream>

namespace tarvik {

std::optional<std::string> readFileText(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return text.str();
}

std::optional<std::string> readFirstLine(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    line = trimWhitespace(line);
    if (line.empty())
        return std::nullopt;
    return line;
}

std::filesystem::path underRoot(const std::filesystem::path &root, const std::filesystem::path &absolute)
{
    return root / absolute.relative_path();
}

} // namespace tarvik
