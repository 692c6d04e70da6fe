// A scripted console session compared line for line with the transcript the
// program gave before the foundation was restructured
// (session_transcript.txt). What depends on the machine or the moment is
// masked on both sides: measured times, thread ids, the processor scan, the
// hardware facts, the parsing progress, the session's own folder, and the
// order in which the workers of a run finish.
#include "console_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvik::testing;

namespace {

const QString Script = "ft 2\nst 3\ntc\nst 2\npr\n"
                       "save <home>/score.txt 2\nload <home>/score.txt\n"
                       "foo\nst 99\nst 99999\nsave\nsave <home>/x.txt 5\nload <home>/nothere.txt\n"
                       "ft 300\npr 20\npr 2\n";

bool isSummaryHeader(const QString &line)
{
    return line == "Found CPU: " || line == "Found Memory: " || line == "Found Motherboard: ";
}

QStringList masked(const QStringList &lines, const QString &home)
{
    static const QRegularExpression detected(R"(^\d+ CPU\(s\) detected\. Optimizing calculation\.$)");
    static const QRegularExpression progress(R"(^\d+% complete$)");
    static const QRegularExpression threadId("THREAD#[0-9A-F]+");
    static const QRegularExpression seconds(R"(\d+(\.\d+)? seconds)");
    static const QRegularExpression record(R"(^(Record for test \d+: )\d+(\.\d+)?$)");
    QStringList out;
    for (qsizetype i = 0; i < lines.size();) {
        QString line = lines[i];
        line.replace(home, "<home>");
        if (line == "Scanning System - Please stand by.") {
            out << line;
            for (++i; i < lines.size() && !detected.match(lines[i]).hasMatch(); ++i) {}
            out << "<processor scan>";
            if (i < lines.size()) {
                out << "<n> CPU(s) detected. Optimizing calculation.";
                ++i;
            }
            continue;
        }
        if (progress.match(line).hasMatch()) {
            for (; i < lines.size() && progress.match(lines[i]).hasMatch(); ++i) {}
            out << "<progress>";
            continue;
        }
        if (isSummaryHeader(line)) {
            out << line;
            for (++i; i < lines.size() && !isSummaryHeader(lines[i]) &&
                      lines[i] != "Initiating thread structure, please stand by.";
                 ++i)
                out << "<fact>";
            continue;
        }
        line.replace(threadId, "THREAD#<id>");
        line.replace(seconds, "<t> seconds");
        line.replace(record, "\\1<t>");
        out << line;
        ++i;
    }
    // A run's worker lines come in the order the workers finish.
    for (qsizetype j = 0; j < out.size();) {
        if (!out[j].startsWith("Thread ")) {
            ++j;
            continue;
        }
        qsizetype k = j;
        while (k < out.size() && !out[k].startsWith("Process completed") && !out[k].startsWith('>'))
            ++k;
        std::sort(out.begin() + j, out.begin() + k);
        j = k;
    }
    return out;
}

QStringList expectedTranscript()
{
    QFile file(QStringLiteral(TARVIK_TRANSCRIPT_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return {"<cannot read " + file.fileName() + ">"};
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(SessionTranscript, ScriptedSessionPrintsWhatItPrintedBefore)
{
    ConsoleSession session;
    // Start-up with the report helper installed, as "install cpuz141.exe" leaves it.
    ASSERT_TRUE(QDir().mkpath(session.systemFolder()));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIK_REPORT_HELPER), session.systemFolder() + "/cpuz141.exe"));
    const QString home = QFileInfo(session.systemFolder()).path();
    session.start(QString(Script).replace("<home>", home));
    const QStringList actual = masked(session.finish(), home);
    const QStringList expected = expectedTranscript();
    EXPECT_EQ(actual.join('\n').toStdString(), expected.join('\n').toStdString());
}
