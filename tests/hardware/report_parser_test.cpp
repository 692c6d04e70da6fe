#include "hardware/report_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvik;

namespace {

const std::string StartLine = "Parsing CPUz output file, this may take several minutes.";

struct Parsed {
    HashTable table;
    std::vector<std::string> printed;
};

Parsed parse(const std::string &text)
{
    std::vector<std::string> printed;
    HashTable table = ParseReport(text, [&printed](const std::string &line) { printed.push_back(line); });
    return {std::move(table), std::move(printed)};
}

// The report lines joined by CR LF, as the helper writes them.
std::string report(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> progressPercents(const std::vector<std::string> &printed)
{
    return {printed.begin() + 1, printed.end()};
}

std::vector<std::string> percentsUpTo(int last)
{
    std::vector<std::string> lines;
    for (int percent = 0; percent <= last; percent += 5)
        lines.push_back(std::to_string(percent) + "% complete");
    return lines;
}

} // namespace

TEST(ReportParser, ItemsAreKeyedBySectionAndName)
{
    const Parsed parsed = parse(report({
        "Hardware report",
        "",
        "Processors Information",
        "----------------------",
        "",
        "\tCore Speed\t\t2596.1 MHz",
        "\tSpecification\t\tIntel(R) Core(TM)2 CPU  6600  @ 2.40GHz",
        "Number of threads\t2",
        "\t\tCodename",
        "Chipset",
        "--------",
        "\tMemory Type\t\tDDR2",
        "\tRAS# to CAS#\t\t5 clocks",
    }));

    const HashTable &t = parsed.table;
    EXPECT_EQ(t.getValue("Processors Information.Core Speed"), "2596.1 MHz");
    EXPECT_EQ(t.getValue("Processors Information.Specification"), "Intel(R) Core(TM)2 CPU  6600  @ 2.40GHz");
    EXPECT_EQ(t.getValue("Processors Information.Number of threads"), "2"); // no leading tab
    EXPECT_EQ(t.getValue("Chipset.Memory Type"), "DDR2");
    EXPECT_EQ(t.getValue("Chipset.RAS# to CAS#"), "5 clocks");
    // A line without an item name lands on "<section>." and the last one wins:
    // the second tab of "\t\tCodename" is kept, the next section's title and
    // the dash line land there too.
    EXPECT_EQ(t.getValue("Processors Information."), "Chipset");
    EXPECT_EQ(t.getValue("Chipset."), "--------");
    EXPECT_EQ(t.getValue("."), "Processors Information");
}

TEST(ReportParser, SectionTitleIsTheLineBeforeTheDashesAsStored)
{
    const Parsed parsed = parse(report({
        "--------", // a first line sets no section
        "\tearly\tvalue",
        "\tDMI Baseboard", // stored without its tab, then names the section
        "--------------",
        "\tvendor\tASUSTeK",
        "\tmodel\tP5B",
    }));

    EXPECT_EQ(parsed.table.getValue(".early"), "value");
    EXPECT_EQ(parsed.table.getValue("DMI Baseboard.vendor"), "ASUSTeK");
    EXPECT_EQ(parsed.table.getValue("DMI Baseboard.model"), "P5B");
}

TEST(ReportParser, DumpsShortLinesRegistersAndTheEnclosureAreNotStored)
{
    const Parsed parsed = parse(report({
        "Chipset",
        "--------",
        "\tab", // shorter than four bytes
        "0x10\tregister",
        "MSR 0x17\tvalue",
        "Dump Module #1\tx", // a dump block runs to the next empty line
        "\tMemory Type\tinside the dump",
        "DMI System Enclosure", // skipped inside a dump, does not end the pass
        "",
        "\tMemory Type\tDDR3",
        "DMI System Enclosure",
        "--------------------",
        "\tMemory Type\tafter the end",
    }));

    const HashTable &t = parsed.table;
    EXPECT_EQ(t.getValue("Chipset.Memory Type"), "DDR3");
    EXPECT_EQ(t.getValue("Chipset.0x10"), "");
    EXPECT_EQ(t.getValue("Chipset.MSR 0x17"), "");
    EXPECT_EQ(t.getValue("Chipset.Dump Module #1"), "");
    EXPECT_EQ(t.getValue("Chipset."), "--------"); // not "ab", nor the empty line
    // Lines 0 to 9 are read (no progress line for the enclosure), in steps of 0.6 lines.
    EXPECT_EQ(progressPercents(parsed.printed), percentsUpTo(45));
}

TEST(ReportParser, LaterProcessorBlockWins)
{
    const std::string block1 = "\tCore Speed\t1800.0 MHz\r\n\tName\tFirst\r\n";
    const std::string block2 = "\tCore Speed\t2400.0 MHz\r\n";
    const Parsed parsed =
        parse("Processors Information\r\n--------\r\n" + block1 + "Processors Information\r\n--------\r\n" + block2);
    EXPECT_EQ(parsed.table.getValue("Processors Information.Core Speed"), "2400.0 MHz");
    EXPECT_EQ(parsed.table.getValue("Processors Information.Name"), "First");
}

TEST(ReportParser, ProgressStepsFollowTheLastLineIndex)
{
    const auto textOfLines = [](int count) {
        std::string text;
        for (int i = 1; i < count; ++i)
            text += "\r\n";
        return text + "last"; // `count` lines: empty ones and a last one
    };
    struct Case {
        int lineCount;
        int lastPercent;
    } cases[] = {
        {1, 0},     {11, 50}, // last index 10: steps of 0.5 round to 0, one progress line per line
        {13, 60},             // last index 12
        {22, 105},            // last index 21
        {391, 95},            // last index 390: steps of 19.5 round to 20, the last at line 380
        {401, 100},           // last index 400: the last step lands on line 400
    };
    for (const Case &c : cases) {
        const Parsed parsed = parse(textOfLines(c.lineCount));
        ASSERT_FALSE(parsed.printed.empty());
        EXPECT_EQ(parsed.printed.front(), StartLine);
        EXPECT_EQ(progressPercents(parsed.printed), percentsUpTo(c.lastPercent)) << c.lineCount << " lines";
    }
}

TEST(ReportParser, EmptyTextGivesAnEmptyTableAndOnlyTheStartLine)
{
    const Parsed parsed = parse("");
    EXPECT_EQ(parsed.printed, std::vector<std::string>{StartLine});
    EXPECT_EQ(parsed.table.toString(), "");
}

TEST(ReportParser, TabHelpers)
{
    EXPECT_EQ(TextBeforeFirstTab("Name\t\tvalue\tlast"), "Name");
    EXPECT_EQ(TextBeforeFirstTab("\tName\tvalue"), "");
    EXPECT_EQ(TextBeforeFirstTab("no tab"), "");
    EXPECT_EQ(TextAfterLastTab("Name\t\tvalue\tlast"), "last");
    EXPECT_EQ(TextAfterLastTab("trailing\t"), "");
    EXPECT_EQ(TextAfterLastTab("no tab"), "no tab");
}
