// Hardware reports as the report helper writes them: parsed, summarised into
// the machine's fields, and the machine saved in a score file that must load
// back unchanged.

#include "foundation/fault.h"
#include "fuzz_check.h"
#include "hardware/hardware_summary.h"
#include "hardware/report_parser.h"
#include "records/score_file.h"

#include <cstdint>
#include <string>

using namespace tarvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const HashTable report = ParseReport(text, [](const std::string &) {});

    HardwareFields fields;
    try {
        summarizeReport(
            report, '.', [](const std::string &) {}, fields);
    } catch (const Fault &) {
        return 0; // a number too large for its type: refused before anything is written
    }

    std::string saved;
    try {
        saved = scoreFileBytes(fields, 4, 6, 20.5, '.');
    } catch (const Fault &) {
        return 0; // no processor text or clock to make a checksum from
    }
    const LoadOutcome loaded = parseScoreFile(saved, '.');
    require(loaded.score.has_value(), "a machine from any report saves a score that loads");
    return 0;
}
