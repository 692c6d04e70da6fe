#include "records/score_storage.h"

#include "foundation/fault.h"
#include "foundation/file_bytes.h"

namespace tarvik {

namespace {

// A path may come wrapped in double quotes, as dropped files and shell
// arguments often are.
std::string unquoted(std::string path)
{
    if (path.starts_with('"'))
        path.erase(0, 1);
    if (path.ends_with('"'))
        path.pop_back();
    return path;
}

} // namespace

std::string saveScore(const std::string &path, std::int16_t test, const Records &records,
                      const HardwareFields &hardware, std::int16_t threads, char decimalSeparator)
{
    try {
        // A quick-mode time measures 1024 times less work than its test; a
        // score file holding it would load as the test's real record.
        if (records.madeInQuickMode(test))
            return scoreResults::quickModeRecord(test);
        const double time = records.get(test);
        files::replaceFileBytes(path, scoreFileBytes(hardware, threads, test, time, decimalSeparator));
        return scoreResults::Saved;
    } catch (const Fault &fault) {
        return fault.description();
    }
}

LoadOutcome loadScore(const std::string &path, char decimalSeparator)
{
    try {
        return parseScoreFile(files::readFileBytes(unquoted(path), LongestScoreFile), decimalSeparator);
    } catch (const Fault &fault) {
        return {fault.description(), std::nullopt};
    }
}

} // namespace tarvik
