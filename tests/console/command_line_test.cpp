#include "console/command_line.h"
#include "expect_fault.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::command_line;

TEST(CommandLine, WholeWordMatchingIgnoresCase)
{
    struct Case {
        const char *word, *line;
        bool matches;
    } cases[] = {
        {"st", "st", true},   {"st", "ST 6", true}, {"st", "st ", true},       {"st", "stx", false},
        {"st", "st6", false}, {"st", " st", false}, {"help", "Help me", true}, {"st", "s", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(isCommand(c.word, c.line), c.matches) << c.word << " / " << c.line;
}

TEST(CommandLine, ArgumentsKeepTheirBlankOrFallBackToTheWord)
{
    EXPECT_EQ(argument("st 6"), " 6");
    EXPECT_EQ(argument("st"), "st");
    EXPECT_EQ(trimmedArgument("load  a b  "), "a b");
    EXPECT_EQ(trimmedArgument("hserver  "), "");
    EXPECT_EQ(wholeNumber("st"), 0);
    EXPECT_EQ(wholeNumber("st 6.5"), 6);
    EXPECT_EQ(wholeNumber("st 7.5"), 8);
    EXPECT_EQ(wholeNumber("st 1 6"), 16);
    EXPECT_FAULT(wholeNumber("st 99999"), "Overflow");
    EXPECT_EQ(splitAtBlanks("a.tks  6"), (std::vector<std::string>{"a.tks", "", "6"}));
    EXPECT_EQ(splitAtBlanks("a.tks"), (std::vector<std::string>{"a.tks"}));
}

TEST(CommandLine, HelpAndMenuTexts)
{
    ASSERT_EQ(helpText().size(), 49u);
    EXPECT_EQ(helpText().front(), "tserver <address>");
    EXPECT_EQ(helpText()[37], " - Install's <library> onto your system");
    EXPECT_EQ(helpText().back(), " - Clears all Tarvik settings and libraries.");
    EXPECT_EQ(testMenuLine(1), "1.) 1M");
    EXPECT_EQ(testMenuLine(3), "3.) 4M");
    EXPECT_EQ(testMenuLine(11), "11.) 1024M");
    EXPECT_EQ(testMenuLine(16), "16.) 32768M");
}
