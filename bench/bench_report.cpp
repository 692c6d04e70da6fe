// Time to read a hardware report of one megabyte, every item line a key of
// its own: an installed helper may write one, and the program reads its
// report at every start.

#include "hardware/report_parser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace tarvik;

namespace {

constexpr std::size_t ReportBytes = 1 << 20;
constexpr int Repetitions = 3;

std::string megabyteReport(int &items)
{
    std::string text = "Processors\r\n------------\r\n";
    for (items = 0; text.size() < ReportBytes; ++items)
        text += "\tItem number " + std::to_string(items) + "\t\tvalue " + std::to_string(items) + " MHz\r\n";
    return text;
}

} // namespace

int main()
{
    int items = 0;
    const std::string report = megabyteReport(items);
    double bestMilliseconds = 1e300;
    for (int i = 0; i < Repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const HashTable table = ParseReport(report, [](const std::string &) {});
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        bestMilliseconds = std::min(bestMilliseconds, took.count());
        if (table.size() < items) {
            std::fprintf(stderr, "the report gave %d keys, fewer than its %d items\n", table.size(), items);
            return 1;
        }
    }
    std::printf("report_1mb_items: %d keys\n", items);
    std::printf("report_1mb_parse: %.1f ms\n", bestMilliseconds);
    return 0;
}
