#include "submit/submitted_records.h"

namespace tarvik::submit {

SubmittedRecords submittedRecords(const Records &records)
{
    SubmittedRecords submitted;
    for (std::int16_t test = Records::First; test <= Records::Last; ++test) {
        const Record record = records.record(test);
        if (record.seconds == 0)
            continue;
        if (record.quickMode)
            submitted.quickModeTests.push_back(test);
        else
            submitted.times.push_back({test, record.seconds});
    }
    return submitted;
}

std::string quickModeNotice(std::int16_t test)
{
    return "Test " + std::to_string(test) + " was run in quick mode and is not submitted.";
}

} // namespace tarvik::submit
