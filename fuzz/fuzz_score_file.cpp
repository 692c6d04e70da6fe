// Score files as the load command reads them, in both decimal separators;
// every file that loads is saved again, and the saved bytes must load back to
// the same record and machine, with the clock as the current format reads it.

#include "foundation/fault.h"
#include "fuzz_check.h"
#include "records/score_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

using namespace tarvik;

namespace {

// Files are saved in the current format, which reads the clock with its
// commas as points; older formats kept them, so a clock read from one of
// those comes back with points.
HardwareFields asCurrentFormatReadsIt(HardwareFields fields)
{
    std::replace(fields.hwbotcpuclk.begin(), fields.hwbotcpuclk.end(), ',', '.');
    return fields;
}

void roundTrip(const LoadedScore &score, char decimalSeparator)
{
    HardwareFields fields;
    fields.hwbotcpu = "unset"; // the oldest versions carry no short name
    std::int16_t threads = 1;
    Records records;
    score.applyTo(fields, threads, records);

    std::string saved;
    try {
        saved = scoreFileBytes(fields, threads, score.test, score.time, decimalSeparator);
    } catch (const Fault &) {
        return; // a field the checksum cannot take was refused on saving, as it should be
    }
    const LoadOutcome again = parseScoreFile(saved, decimalSeparator);
    require(again.score.has_value(), "a saved score loads again");
    HardwareFields reloaded;
    reloaded.hwbotcpu = "unset";
    std::int16_t reloadedThreads = 1;
    Records reloadedRecords;
    again.score->applyTo(reloaded, reloadedThreads, reloadedRecords);
    require(reloaded == asCurrentFormatReadsIt(fields), "the machine survives saving");
    require(reloadedThreads == threads, "the thread count survives saving");
    require(std::bit_cast<std::uint64_t>(again.score->time) == std::bit_cast<std::uint64_t>(score.time),
            "the record survives saving");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (char decimalSeparator : {'.', ','}) {
        const LoadOutcome outcome = parseScoreFile(bytes, decimalSeparator);
        require(outcome.score.has_value() == (outcome.message == scoreResults::Loaded),
                "a file loads exactly when it says so");
        if (outcome.score)
            roundTrip(*outcome.score, decimalSeparator);
    }
    return 0;
}
