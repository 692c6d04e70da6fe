#include "storage/result_rows.h"

#include <QDateTime>

namespace tarvik::server::rows {

const QString ResultColumns = QStringLiteral(
    "r.id, s.submitter, s.description, s.processor_form, s.processor, s.clock, s.l2_cache, s.vcore, s.fsb, "
    "s.codename, s.stepping, s.memory_size, s.memory_type, s.memory_frequency, s.memory_timings, "
    "s.board_vendor, s.board_model, s.threads, r.test, r.time_text, r.seconds, r.checksum, s.received_at, "
    "s.id, r.verdict, r.rule, r.reason, r.rules_version, s.listed");
const QString ResultsWithSubmissions = QStringLiteral("results r JOIN submissions s ON s.id = r.submission_id");

const QStringList &processorColumns()
{
    static const QStringList columns = {QStringLiteral("processor"),
                                        QStringLiteral("clock"),
                                        QStringLiteral("l2_cache"),
                                        QStringLiteral("vcore"),
                                        QStringLiteral("fsb"),
                                        QStringLiteral("codename"),
                                        QStringLiteral("stepping"),
                                        QStringLiteral("memory_size"),
                                        QStringLiteral("memory_type"),
                                        QStringLiteral("memory_frequency"),
                                        QStringLiteral("memory_timings"),
                                        QStringLiteral("board_vendor"),
                                        QStringLiteral("board_model")};
    return columns;
}

StoredResult readResult(const QSqlQuery &query)
{
    int column = 0;
    auto next = [&] { return query.value(column++); };
    StoredResult result;
    result.id = next().toLongLong();
    result.submitter = bytes(next());
    result.description = bytes(next());
    ProcessorRecord &processor = result.processor;
    processor.form = formFromName(bytes(next()));
    for (const ProcessorText &field : ProcessorTexts)
        processor.*field.member = bytes(next());
    result.threads = next().toInt();
    result.test = next().toInt();
    result.timeText = bytes(next());
    result.seconds = next().toDouble();
    result.checksum = bytes(next());
    result.submittedAt = bytes(next());
    result.submissionId = next().toLongLong();
    result.decision.verdict = rules::verdictFromName(bytes(next()));
    result.decision.rule = bytes(next());
    result.decision.reason = bytes(next());
    result.rulesVersion = next().toInt();
    result.listed = next().toInt() != 0;
    return result;
}

QString now()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace tarvik::server::rows
