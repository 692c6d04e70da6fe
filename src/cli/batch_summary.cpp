#include "cli/batch_summary.h"

#include "measurement/build_info.h"
#include "measurement/run_statistics.h"
#include "measurement/run_warnings.h"

#include <QStringList>

namespace tarvik::cli {

namespace {

using measurement::RepeatRule;
using measurement::RepeatStep;
using measurement::RunConditions;

const QString Indent = QStringLiteral("  ");
const QString Unknown = QStringLiteral("not given by this machine");

QString seconds(double value)
{
    return QString::number(value, 'f', 3) + " s";
}

QString percent(double share)
{
    return QString::fromStdString(measurement::percentText(share)) + " %";
}

QString listed(const std::vector<std::string> &values)
{
    QStringList texts;
    for (const std::string &value : values)
        texts << QString::fromLocal8Bit(value);
    return texts.isEmpty() ? Unknown : texts.join(QStringLiteral(", "));
}

QString orUnknown(const std::string &value)
{
    return value.empty() ? Unknown : QString::fromLocal8Bit(value);
}

QString repeatEnd(const AutoRepeat &repeat)
{
    if (!repeat.endedBy)
        return QStringLiteral("a run did not complete without errors");
    switch (*repeat.endedBy) {
    case RepeatStep::Steady:
        return "the coefficient of variation fell under " + percent(RepeatRule::SteadyVariation);
    case RepeatStep::BudgetSpent:
        return "the time budget of " + QString::number(repeat.maxTimeSeconds) + " s was spent";
    case RepeatStep::MostRuns:
        return QStringLiteral("the largest number of runs was reached");
    case RepeatStep::Again:
        break;
    }
    return {};
}

QStringList statisticsLines(const TestTimes &times, const std::optional<AutoRepeat> &repeat)
{
    const measurement::RunStatistics s = measurement::summarize(times.seconds);
    QStringList lines;
    lines << "Summary of test " + QString::number(times.test) + (times.quickMode ? " in quick mode" : "") + ": " +
                 QString::number(s.runs) + (s.runs == 1 ? " run" : " runs") + " without errors";
    lines << Indent + "Minimum " + seconds(s.minimum) + ", median " + seconds(s.median) + ", mean " + seconds(s.mean);
    if (s.standardDeviation) {
        lines << Indent + "Standard deviation " + seconds(*s.standardDeviation) + ", coefficient of variation " +
                     percent(*s.coefficientOfVariation);
        lines << Indent + "95 % confidence interval of the mean: " + QString::number(*s.confidenceLow, 'f', 3) +
                     " to " + seconds(*s.confidenceHigh);
    }
    QStringList outliers;
    for (std::size_t position : s.outliers)
        outliers << "run " + QString::number(position + 1) + " (" + seconds(times.seconds[position]) + ")";
    lines << Indent + "Outliers (modified Z-score over 3.5): " +
                 (outliers.isEmpty() ? QStringLiteral("none") : outliers.join(QStringLiteral(", ")));
    if (repeat)
        lines << Indent + "Repeat ended: " + repeatEnd(*repeat);
    return lines;
}

QStringList conditionLines(const RunConditions &c)
{
    const measurement::SystemState &s = c.system;
    const measurement::BuildInfo build = measurement::buildInfo();
    QString machine = s.virtualMachine ? QStringLiteral("virtual machine") : QStringLiteral("no hypervisor seen");
    if (!s.hypervisor.empty())
        machine += " (" + QString::fromLocal8Bit(s.hypervisor) + ")";
    const auto frequencies = c.frequencies();
    return {
        QStringLiteral("Conditions"),
        Indent + "Kernel " + orUnknown(s.kernel) + ", clock source " + orUnknown(s.clockSource) + ", " + machine,
        Indent + "Governor " + listed(s.governors) + ", driver " + listed(s.drivers) + ", boost " +
            (s.boost ? (*s.boost ? QStringLiteral("on") : QStringLiteral("off")) : Unknown) + ", SMT " +
            orUnknown(s.smt),
        Indent + "CPU frequency during the runs: " +
            (frequencies ? QString::number(frequencies->minimum, 'f', 0) + " to " +
                               QString::number(frequencies->maximum, 'f', 0) + " MHz, median " +
                               QString::number(frequencies->median, 'f', 0) + " MHz"
                         : Unknown),
        Indent +
            "Throttle events during the runs: " + (c.throttleEvents ? QString::number(*c.throttleEvents) : Unknown),
        Indent + "Processor time of other processes: " + (c.load ? percent(c.load->share()) : Unknown),
        Indent + "Build: " + QString::fromStdString(build.compiler) + ", " + QString::fromStdString(build.buildType) +
            " (" + QString::fromStdString(build.flags) + "), version " + QString::fromStdString(build.version),
    };
}

} // namespace

QString batchSummary(const SessionResults &session)
{
    QStringList lines{QString()};
    for (const TestTimes &times : timesByTest(session.runs))
        lines << statisticsLines(times, session.autoRepeat);
    const RunConditions conditions = sessionConditions(session.runs);
    lines << conditionLines(conditions);
    const std::vector<measurement::RunWarning> warnings = measurement::runWarnings(conditions);
    lines << (warnings.empty() ? QStringLiteral("Warnings: none") : QStringLiteral("Warnings"));
    for (const measurement::RunWarning &warning : warnings)
        lines << Indent + QString::fromStdString(warning.reason);
    return lines.join('\n') + '\n';
}

} // namespace tarvik::cli
