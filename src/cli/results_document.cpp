#include "cli/results_document.h"

#include "cli/program_start.h"
#include "foundation/product.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tarvik::cli {

namespace {
QString text(const std::string &bytes)
{
    return QString::fromLocal8Bit(bytes);
}
} // namespace

QJsonObject runObject(const RecordedRun &recorded)
{
    const CompletedRun &run = recorded.run;
    return {
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
}

QJsonObject hardwareObject(const HardwareFields &hw)
{
    return {
        {"CPU_info", text(hw.CPU_info)},
        {"cpu_string", text(hw.cpu_string)},
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
    };
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace tarvik::cli
