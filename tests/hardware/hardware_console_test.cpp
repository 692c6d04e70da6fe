// Hardware detection as a user meets it: the real program in the terminal,
// with the report helper it carries or with scripts that misbehave in its place.
#include "console_session.h"
#include "fake_helper.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tarvik::testing;

namespace {

// The processor blocks of a scan, "CPU Found: CPU0" to the empty line that
// ends them; returns how many processors they list, -1 when malformed.
int processorBlocks(const QStringList &lines)
{
    if (lines.isEmpty() || !lines.last().isEmpty() || (lines.size() - 1) % 4 != 0)
        return -1;
    const int count = static_cast<int>(lines.size() - 1) / 4;
    const QRegularExpression speed(R"(^Speed:    \d+ MHz$)");
    const QRegularExpression cache(R"(^L2 Cache: \d* KB$)");
    for (int i = 0; i < count; ++i) {
        const QStringList block = lines.mid(4 * i, 4);
        if (block[0] != QString("CPU Found: CPU%1").arg(i) || !block[1].startsWith("Name:     ") ||
            !speed.match(block[2]).hasMatch() || !cache.match(block[3]).hasMatch())
            return -1;
    }
    return count;
}

} // namespace

TEST(HardwareConsole, ScanAtStartUpGivesTheThreadCountAndRefhwRepeatsIt)
{
    ConsoleSession session;
    session.start("refhw\n");
    const QStringList out = session.finish();

    const qsizetype scanning = out.indexOf("Scanning System - Please stand by.");
    const QRegularExpression detected(R"(^(\d+) CPU\(s\) detected\. Optimizing calculation\.$)");
    const qsizetype countLine = out.indexOf(detected);
    ASSERT_GE(scanning, 0);
    ASSERT_GT(countLine, scanning);
    QStringList scan = out.mid(scanning + 1, countLine - scanning - 1);
    // There is no clock counter, so the first scan always says it uses the system's clock.
    ASSERT_FALSE(scan.isEmpty());
    EXPECT_EQ(scan.takeFirst(), "rdtsc returned an invalid clock rate (0) - using system clock instead");
    const int processors = detected.match(out[countLine]).captured(1).toInt();
    EXPECT_GE(processors, 1);
    EXPECT_EQ(processorBlocks(scan), processors);
    EXPECT_EQ(out.value(countLine + 1), "CPUz isn't installed. Please install for more accurate hardware information.");

    // Once warned is enough.
    EXPECT_EQ(processorBlocks(replyTo(replies(out), "refhw").lines), processors);
}

TEST(HardwareConsole, HelperThatMisbehavesNeverStopsTheProgram)
{
    struct Case {
        const char *helper;
        const char *says; // a line of its refcpuz reply
    } cases[] = {
        {"kill -SEGV $$", "CPUz ended without writing its report."},
        {"head -c 200000 /dev/urandom > \"$report\"", "Found Motherboard: "},
        {R"(printf 'Processors Information\r\n--------\r\n\tCore Speed\t1e999 MHz\r\n' > "$report")",
         "Error occured: Overflow."},
    };
    for (const Case &c : cases) {
        ConsoleSession session;
        installFakeHelper(session.systemFolder(), QString::fromLatin1(c.helper));
        session.start("refcpuz\npr\n");
        const QStringList out = session.finish();
        // Start-up ran the helper too, and went on.
        EXPECT_TRUE(out.contains("Type help for instructions.")) << c.helper;
        const auto all = replies(out);
        EXPECT_TRUE(replyTo(all, "refcpuz").lines.contains(c.says)) << c.helper;
        EXPECT_EQ(replyTo(all, "pr").lines, QStringList{"No current records set"}) << c.helper;
    }
}

// The score files pad their fields with 0x02; a processor text that began
// with one would save but never load.
TEST(HardwareConsole, AReportWithControlBytesGivesAScoreThatLoads)
{
    ConsoleSession session;
    installFakeHelper(session.systemFolder(),
                      R"(printf 'Processors Information\r\n--------\r\n\tSpecification\t\002Test\001CPU\r\n)"
                      R"(\tCore Speed\t3000 MHz\r\n' > "$report")");
    const QString score = session.systemFolder() + "/score.tks";
    // A record of 0 would give the checksum 0 whatever the processor text.
    session.start("st 1\nsave " + score + " 1\nload " + score + "\n");
    const auto all = replies(session.finish());
    EXPECT_EQ(replyTo(all, "save " + score + " 1").lines, QStringList{"Score Saved."});
    EXPECT_EQ(replyTo(all, "load " + score).lines, QStringList{"Score loaded."});
}
