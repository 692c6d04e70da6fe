#include "cli/measurement_json.h"

namespace tarvik::cli {

namespace {

QString text(const std::string &bytes)
{
    return QString::fromLocal8Bit(bytes);
}

QJsonArray texts(const std::vector<std::string> &values)
{
    QJsonArray array;
    for (const std::string &value : values)
        array.append(text(value));
    return array;
}

template <typename T>
QJsonValue orNull(const std::optional<T> &value)
{
    return value ? QJsonValue(static_cast<double>(*value)) : QJsonValue();
}

QJsonValue frequencies(const std::optional<measurement::FrequencyRange> &range)
{
    if (!range)
        return QJsonValue();
    return QJsonObject{{"minimum", range->minimum}, {"median", range->median}, {"maximum", range->maximum}};
}

} // namespace

QJsonObject conditionsObject(const measurement::RunConditions &c)
{
    const measurement::SystemState &s = c.system;
    return {
        {"kernel", text(s.kernel)},
        {"virtualMachine", s.virtualMachine},
        {"hypervisor", text(s.hypervisor)},
        {"governors", texts(s.governors)},
        {"drivers", texts(s.drivers)},
        {"boost", s.boost ? QJsonValue(*s.boost) : QJsonValue()},
        {"smt", text(s.smt)},
        {"clockSource", text(s.clockSource)},
        {"frequencyMHz", frequencies(c.frequencies())},
        {"throttleEvents", orNull(c.throttleEvents)},
        {"otherProcessesShare", c.load ? QJsonValue(c.load->share()) : QJsonValue()},
    };
}

QJsonArray warningsArray(const std::vector<measurement::RunWarning> &warnings)
{
    QJsonArray array;
    for (const measurement::RunWarning &warning : warnings)
        array.append(QJsonObject{{"kind", text(warning.kind)}, {"reason", text(warning.reason)}});
    return array;
}

QJsonObject buildObject(const measurement::BuildInfo &build)
{
    return {{"compiler", text(build.compiler)},
            {"flags", text(build.flags)},
            {"buildType", text(build.buildType)},
            {"version", text(build.version)}};
}

QJsonObject statisticsObject(const measurement::RunStatistics &s, const std::vector<double> &seconds)
{
    QJsonArray outliers;
    for (std::size_t position : s.outliers)
        outliers.append(seconds[position]);
    const QJsonValue interval =
        s.confidenceLow ? QJsonValue(QJsonArray{*s.confidenceLow, *s.confidenceHigh}) : QJsonValue();
    return {
        {"runs", static_cast<qint64>(s.runs)},
        {"minimum", s.minimum},
        {"median", s.median},
        {"mean", s.mean},
        {"standardDeviation", orNull(s.standardDeviation)},
        {"coefficientOfVariation", orNull(s.coefficientOfVariation)},
        {"confidenceInterval95", interval},
        {"outliers", outliers},
    };
}

} // namespace tarvik::cli
