// Line splitting, path joining, trimming and the context a fault carries.
#include "expect_fault.h"
#include "foundation/blanks.h"
#include "foundation/paths.h"
#include "foundation/text_lines.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace tarvik;

TEST(SplitLines, SplitsAtCrLfOnly)
{
    EXPECT_EQ(splitLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(splitLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(splitLines("a\nb\rc"), (std::vector<std::string>{"a\nb\rc"}));
}

TEST(AddSlash, AppendsOneSlash)
{
    EXPECT_EQ(AddSlash(""), "/");
    EXPECT_EQ(AddSlash("/tmp"), "/tmp/");
    EXPECT_EQ(AddSlash("/tmp/"), "/tmp/");
}

TEST(Trimming, BlanksAndWhitespace)
{
    EXPECT_EQ(trimBlanks("  a\t "), "a\t");
    EXPECT_EQ(trimWhitespace(" \t a b\r\n"), "a b");
    EXPECT_EQ(trimBlanks("   "), "");
}

TEST(Fault, ContextIsForLogsNotForTheDescription)
{
    const Fault fault(faults::PathNotFound, "writing /x/y", ENOENT);
    EXPECT_STREQ(fault.what(), "Path not found");
    EXPECT_EQ(fault.description(), "Path not found");
    EXPECT_EQ(fault.context(), "writing /x/y");
    EXPECT_EQ(fault.systemError(), ENOENT);
    EXPECT_EQ(fault.detail(), "Path not found (writing /x/y: No such file or directory)");
    EXPECT_EQ(Fault(faults::Overflow).detail(), "Overflow");
    EXPECT_FAULT(throw fault, "Path not found");
}
