#pragma once

#include "engine/completed_run.h"
#include "hardware/hardware_fields.h"
#include "measurement/repeat_rule.h"
#include "measurement/run_conditions.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>

#include <optional>
#include <string>
#include <vector>

namespace tarvik::cli {

// A completed run as the results file and the history keep it.
struct RecordedRun {
    CompletedRun run;
    std::optional<std::string> checksum; // none when the machine gives none
    std::optional<measurement::RunConditions> conditions;
};

// How an automatic repeat went.
struct AutoRepeat {
    double maxTimeSeconds = 0;
    std::optional<measurement::RepeatStep> endedBy; // none while it runs, or when a run failed
};

// Everything the results file holds about one session of the program.
struct SessionResults {
    QDateTime started;
    HardwareFields hardware;
    std::vector<RecordedRun> runs;
    std::optional<AutoRepeat> autoRepeat;
    int exitStatus = 0;
};

// The times of the runs without errors, one list per test and mode, in
// the order the tests were first run.
struct TestTimes {
    std::int16_t test = 0;
    bool quickMode = false;
    std::vector<double> seconds;
};
std::vector<TestTimes> timesByTest(const std::vector<RecordedRun> &runs);

// The conditions of every run that has them, as one.
measurement::RunConditions sessionConditions(const std::vector<RecordedRun> &runs);

// "steady", "time budget", "most runs"
QString repeatEndName(measurement::RepeatStep step);

QJsonObject runObject(const RecordedRun &recorded);
// The hardware summary in named fields: the processor record and the
// description are split, so no field holds a separator byte or a line end.
QJsonObject hardwareObject(const HardwareFields &hardware);

// The results file: one JSON document. Numbers always take a decimal point,
// whatever the user's locale.
QByteArray resultsDocument(const SessionResults &session);

} // namespace tarvik::cli
