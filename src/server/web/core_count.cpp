#include "web/core_count.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <utility>

namespace tarvik::server {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 9> CountWords{{
    {"single", 1},
    {"dual", 2},
    {"triple", 3},
    {"tri", 3},
    {"quad", 4},
    {"six", 6},
    {"hexa", 6},
    {"eight", 8},
    {"octa", 8},
}};

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The count written just before "core" at `at` (a blank or "-" between):
// digits ("8-core") or a word ("quad core").
std::optional<int> countBefore(const std::string &name, std::size_t at)
{
    if (at < 2 || (name[at - 1] != '-' && name[at - 1] != ' '))
        return std::nullopt;
    const std::size_t end = at - 1;
    std::size_t begin = end;
    while (begin > 0 && std::isalnum(static_cast<unsigned char>(name[begin - 1])))
        --begin;
    const std::string_view word(name.data() + begin, end - begin);
    if (!word.empty() && word.size() <= 3 && std::all_of(word.begin(), word.end(), isDigit)) {
        const int count = std::stoi(std::string(word));
        return count > 0 ? std::optional<int>(count) : std::nullopt;
    }
    for (const auto &[spelled, count] : CountWords)
        if (word == spelled)
            return count;
    return std::nullopt;
}

} // namespace

std::optional<int> coreCountIn(const std::string &processor)
{
    const std::string name = lowerCase(processor);
    for (std::size_t at = name.find("core"); at != std::string::npos; at = name.find("core", at + 1))
        if (const std::optional<int> count = countBefore(name, at))
            return count;
    return std::nullopt;
}

} // namespace tarvik::server
