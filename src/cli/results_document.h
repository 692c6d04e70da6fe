#pragma once

#include "engine/completed_run.h"
#include "hardware/hardware_fields.h"

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
};

// Everything the results file holds about one session of the program.
struct SessionResults {
    QDateTime started;
    HardwareFields hardware;
    std::vector<RecordedRun> runs;
    int exitStatus = 0;
};

QJsonObject runObject(const RecordedRun &recorded);
QJsonObject hardwareObject(const HardwareFields &hardware);

// The results file: one JSON document. Numbers always take a decimal point,
// whatever the user's locale.
QByteArray resultsDocument(const SessionResults &session);

} // namespace tarvik::cli
