#pragma once

#include "measurement/build_info.h"
#include "measurement/run_conditions.h"
#include "measurement/run_statistics.h"
#include "measurement/run_warnings.h"

#include <QJsonArray>
#include <QJsonObject>

// The measurement's figures as the results file and the history keep them.
namespace tarvik::cli {

QJsonObject conditionsObject(const measurement::RunConditions &conditions);
QJsonArray warningsArray(const std::vector<measurement::RunWarning> &warnings);
QJsonObject buildObject(const measurement::BuildInfo &build);
// The outliers are given by their times.
QJsonObject statisticsObject(const measurement::RunStatistics &statistics, const std::vector<double> &seconds);

} // namespace tarvik::cli
