#include "cli/results_history.h"

#include "cli/measurement_json.h"
#include "measurement/build_info.h"
#include "measurement/run_statistics.h"

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

template <std::size_t N>
QString rowOf(const int (&widths)[N], const QStringList &cells)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += i < std::ssize(widths) ? cells[i].leftJustified(widths[i]) + ' ' : cells[i];
    return line + '\n';
}

QString row(const QStringList &cells)
{
    static const int widths[] = {5, 12, 8, 12, 7, 17};
    return rowOf(widths, cells);
}

QString spreadRow(const QStringList &cells)
{
    static const int widths[] = {5, 12, 5, 12, 12, 9};
    return rowOf(widths, cells);
}

// The runs of one test in one mode on one processor.
struct SpreadGroup {
    int test = 0;
    QString mode;
    QString processor;
    std::vector<double> seconds;
};

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
    entry["build"] = buildObject(measurement::buildInfo());
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

QString historySpreadTable(const QList<QJsonObject> &entries)
{
    std::vector<SpreadGroup> groups;
    for (const QJsonObject &entry : entries) {
        if (entry["errors"].toBool())
            continue;
        const SpreadGroup key{entry["test"].toInt(), modeText(entry), processorText(entry), {}};
        auto group = std::find_if(groups.begin(), groups.end(), [&key](const SpreadGroup &g) {
            return g.test == key.test && g.mode == key.mode && g.processor == key.processor;
        });
        if (group == groups.end())
            group = groups.insert(groups.end(), key);
        group->seconds.push_back(entry["seconds"].toDouble());
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const SpreadGroup &a, const SpreadGroup &b) { return a.test < b.test; });
    QString table = spreadRow({"Test", "Mode", "Runs", "Median", "Minimum", "Spread", "Processor"});
    for (const SpreadGroup &group : groups) {
        const measurement::RunStatistics s = measurement::summarize(group.seconds);
        const QString spread = s.coefficientOfVariation
                                   ? QString::number(*s.coefficientOfVariation * 100, 'f', 1) + " %"
                                   : QStringLiteral("-");
        table +=
            spreadRow({QString::number(group.test), group.mode, QString::number(s.runs),
                       QString::number(s.median, 'f', 3), QString::number(s.minimum, 'f', 3), spread, group.processor});
    }
    return table;
}

QList<QJsonObject> readHistoryEntries(QIODevice &file, int &unreadable)
{
    QList<QJsonObject> entries;
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
    return entries;
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
    int unreadable = 0;
    const QList<QJsonObject> entries = readHistoryEntries(file, unreadable);
    std::fputs((historyTable(entries) + '\n' + historySpreadTable(entries)).toLocal8Bit().constData(), stdout);
    if (unreadable > 0)
        std::fprintf(stderr, "tarvik: skipped %d unreadable lines of %s\n", unreadable, qPrintable(path));
    return 0;
}

} // namespace tarvik::cli
