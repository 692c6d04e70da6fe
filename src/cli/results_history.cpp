#include "cli/results_history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <tuple>

namespace tarvik::cli {

namespace {

QString modeText(const QJsonObject &entry)
{
    QStringList modes;
    if (entry["quickMode"].toBool())
        modes << QStringLiteral("quick");
    if (entry["cacheMode"].toBool())
        modes << QStringLiteral("cache");
    return modes.isEmpty() ? QStringLiteral("-") : modes.join('+');
}

QString dateText(const QJsonObject &entry)
{
    const QDateTime date = QDateTime::fromString(entry["date"].toString(), Qt::ISODateWithMs);
    return date.isValid() ? date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("?");
}

QString processorText(const QJsonObject &entry)
{
    const QJsonObject hardware = entry["hardware"].toObject();
    const QString specification = hardware["hwbotcpu"].toString();
    return specification.isEmpty() ? hardware["hwbot_send_cpu"].toString() : specification;
}

QString row(const QStringList &cells)
{
    static const int widths[] = {5, 12, 8, 12, 7, 17};
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += i < std::ssize(widths) ? cells[i].leftJustified(widths[i]) + ' ' : cells[i];
    return line + '\n';
}

bool fasterFirst(const QJsonObject &a, const QJsonObject &b)
{
    const auto key = [](const QJsonObject &e) {
        return std::make_tuple(e["test"].toInt(), e["errors"].toBool(), e["seconds"].toDouble());
    };
    return key(a) < key(b);
}

} // namespace

QString historyFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/history.jsonl");
}

QString appendToHistory(const RecordedRun &run, const HardwareFields &hardware, const QDateTime &when)
{
    QJsonObject entry = runObject(run);
    entry["date"] = when.toUTC().toString(Qt::ISODateWithMs);
    entry["hardware"] = hardwareObject(hardware);
    const QByteArray line = QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n';

    const QString path = historyFilePath();
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    // One write in append mode, so a line is never split or interleaved.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size())
        return file.errorString();
    return {};
}

QString historyTable(QList<QJsonObject> entries)
{
    std::stable_sort(entries.begin(), entries.end(), fasterFirst);
    QString table = row({"Test", "Seconds", "Threads", "Mode", "Result", "Date", "Processor"});
    int lastTest = 0;
    for (const QJsonObject &entry : entries) {
        const int test = entry["test"].toInt();
        if (lastTest != 0 && test != lastTest)
            table += '\n';
        lastTest = test;
        table += row({QString::number(test), QString::number(entry["seconds"].toDouble(), 'f', 3),
                      QString::number(entry["threads"].toInt()), modeText(entry),
                      entry["errors"].toBool() ? QStringLiteral("errors") : QStringLiteral("ok"), dateText(entry),
                      processorText(entry)});
    }
    return table;
}

int printHistory()
{
    const QString path = historyFilePath();
    QFile file(path);
    if (!file.exists()) {
        std::printf("No runs in the history yet (%s).\n", qPrintable(path));
        return 0;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tarvik: cannot read the history %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return 1;
    }
    QList<QJsonObject> entries;
    int unreadable = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QJsonDocument entry = QJsonDocument::fromJson(line);
        if (entry.isObject())
            entries << entry.object();
        else
            ++unreadable;
    }
    std::fputs(historyTable(entries).toLocal8Bit().constData(), stdout);
    if (unreadable > 0)
        std::fprintf(stderr, "tarvik: skipped %d unreadable lines of %s\n", unreadable, qPrintable(path));
    return 0;
}

} // namespace tarvik::cli
