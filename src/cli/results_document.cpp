#include "cli/results_document.h"

#include "cli/measurement_json.h"
#include "cli/program_start.h"
#include "foundation/product.h"
#include "foundation/text_lines.h"
#include "measurement/run_statistics.h"
#include "measurement/run_warnings.h"
#include "protocol/processor_record.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace tarvik::cli {

namespace {
QString text(const std::string &bytes)
{
    return QString::fromLocal8Bit(bytes);
}

QJsonObject processorRecordObject(const std::string &recordBytes)
{
    const ProcessorRecord record = recordFromText(recordBytes);
    QJsonObject object{{"form", QString::fromLatin1(formName(record.form))}};
    if (record.form != ProcessorRecord::Form::Missing)
        for (const ProcessorText &field : ProcessorTexts)
            object[QString::fromLatin1(field.name)] = text(record.*field.member);
    return object;
}

QJsonArray descriptionLines(const std::string &description)
{
    QJsonArray lines;
    if (description.empty())
        return lines;
    for (const std::string &line : splitLines(description))
        lines.append(text(line));
    return lines;
}

QJsonArray statisticsArray(const std::vector<RecordedRun> &runs)
{
    QJsonArray statistics;
    for (const TestTimes &times : timesByTest(runs)) {
        QJsonObject object = statisticsObject(measurement::summarize(times.seconds), times.seconds);
        object["test"] = times.test;
        object["quickMode"] = times.quickMode;
        statistics.append(object);
    }
    return statistics;
}

QJsonObject sessionConditionsObject(const SessionResults &session)
{
    QJsonObject conditions = conditionsObject(sessionConditions(session.runs));
    conditions["build"] = buildObject(measurement::buildInfo());
    return conditions;
}

QJsonValue autoRepeatObject(const std::optional<AutoRepeat> &repeat)
{
    if (!repeat)
        return QJsonValue();
    return QJsonObject{{"maxTimeSeconds", repeat->maxTimeSeconds},
                       {"endedBy", repeat->endedBy ? QJsonValue(repeatEndName(*repeat->endedBy)) : QJsonValue()}};
}

} // namespace

std::vector<TestTimes> timesByTest(const std::vector<RecordedRun> &runs)
{
    std::vector<TestTimes> groups;
    for (const RecordedRun &recorded : runs) {
        const CompletedRun &run = recorded.run;
        if (run.errors)
            continue;
        auto group = std::find_if(groups.begin(), groups.end(), [&run](const TestTimes &g) {
            return g.test == run.test && g.quickMode == run.quickMode;
        });
        if (group == groups.end())
            group = groups.insert(groups.end(), TestTimes{run.test, run.quickMode, {}});
        group->seconds.push_back(static_cast<double>(run.seconds));
    }
    return groups;
}

measurement::RunConditions sessionConditions(const std::vector<RecordedRun> &runs)
{
    std::vector<measurement::RunConditions> all;
    for (const RecordedRun &run : runs)
        if (run.conditions)
            all.push_back(*run.conditions);
    return measurement::combined(all);
}

QString repeatEndName(measurement::RepeatStep step)
{
    switch (step) {
    case measurement::RepeatStep::Steady:
        return QStringLiteral("steady");
    case measurement::RepeatStep::BudgetSpent:
        return QStringLiteral("time budget");
    case measurement::RepeatStep::MostRuns:
        return QStringLiteral("most runs");
    case measurement::RepeatStep::Again:
        break;
    }
    return {};
}

QJsonObject runObject(const RecordedRun &recorded)
{
    const CompletedRun &run = recorded.run;
    QJsonObject object{
        {"test", run.test},
        {"numbers", run.numbers},
        {"threads", run.threads},
        {"quickMode", run.quickMode},
        {"cacheMode", run.cacheMode},
        // The run clock's single-precision reading, widened exactly.
        {"seconds", static_cast<double>(run.seconds)},
        {"errors", run.errors},
        {"newRecord", run.newRecord},
        {"checksum", recorded.checksum ? QJsonValue(text(*recorded.checksum)) : QJsonValue()},
    };
    if (recorded.conditions) {
        object["conditions"] = conditionsObject(*recorded.conditions);
        object["warnings"] = warningsArray(measurement::runWarnings(*recorded.conditions));
    }
    return object;
}

QJsonObject hardwareObject(const HardwareFields &hw)
{
    return {
        {"processorRecord", processorRecordObject(hw.CPU_info)},
        {"description", descriptionLines(hw.cpu_string)},
        {"hwbotcpu", text(hw.hwbotcpu)},
        {"hwbotcpuclk", text(hw.hwbotcpuclk)},
        {"hwbot_send_cpu", text(hw.hwbot_send_cpu)},
        {"mem_type", text(hw.mem_type)},
        {"mem_size", text(hw.mem_size)},
        {"mem_freq", text(hw.mem_freq)},
        {"mem_cas", text(hw.mem_cas)},
        {"mem_rcd", text(hw.mem_rcd)},
        {"mem_rp", text(hw.mem_rp)},
        {"mem_tras", text(hw.mem_tras)},
        {"board_model", text(hw.board_model)},
        {"board_vendor", text(hw.board_vendor)},
    };
}

QByteArray resultsDocument(const SessionResults &session)
{
    QJsonArray runs;
    for (const RecordedRun &run : session.runs)
        runs.append(runObject(run));
    const QJsonObject document{
        {"program", QString::fromUtf8(ProductName)},
        {"version", programVersion()},
        {"started", session.started.toUTC().toString(Qt::ISODateWithMs)},
        {"exitStatus", session.exitStatus},
        {"hardware", hardwareObject(session.hardware)},
        {"runs", runs},
        {"statistics", statisticsArray(session.runs)},
        {"conditions", sessionConditionsObject(session)},
        {"warnings", warningsArray(measurement::runWarnings(sessionConditions(session.runs)))},
        {"autoRepeat", autoRepeatObject(session.autoRepeat)},
    };
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace tarvik::cli
