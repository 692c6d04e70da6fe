#include "expect_fault.h"
#include "records/hash_table.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

using namespace tarvik;

namespace {

std::string includeLine(const std::string &path)
{
    std::string line = "#";
    return line.append(path);
}

} // namespace

TEST(HashTable, NewTableIsEmpty)
{
    HashTable table;
    EXPECT_EQ(table.getValue("any"), "");
    EXPECT_EQ(table.toString(), "");
    EXPECT_EQ(table.size(), 0);
    EXPECT_FAULT(table.getIdByIndex(1), "Subscript out of range");
}

TEST(HashTable, ListsEntriesAscendingAndKeysWithRepeats)
{
    HashTable table;
    table.setValue("b", "1");
    table.setValue("a", "2");
    table.setValue("c", "3");
    EXPECT_EQ(table.toString(), "a=2\r\nb=1\r\nc=3\r\n");
    EXPECT_EQ(table.getIdByIndex(2), "b");
    EXPECT_EQ(table.size(), 3);

    table.setValue("a", "4");
    EXPECT_EQ(table.getValue("a"), "4");
    EXPECT_EQ(table.size(), 4);
    EXPECT_EQ(table.getIdByIndex(1), "a");
    EXPECT_EQ(table.getIdByIndex(2), "a");
    EXPECT_EQ(table.getIdByIndex(4), "c");
    EXPECT_FAULT(table.getIdByIndex(0), "Subscript out of range");
    EXPECT_FAULT(table.getIdByIndex(5), "Subscript out of range");
}

TEST(HashTable, KeysCompareByteByByte)
{
    HashTable table;
    table.setValue("a", "1");
    table.setValue("B", "2");
    table.setValue("\xC3\xA9", "3"); // a byte above 0x7F sorts after every ASCII byte
    EXPECT_EQ(table.toString(), "B=2\r\na=1\r\n\xC3\xA9=3\r\n");
    EXPECT_EQ(table.getValue("A"), "");
}

TEST(HashTable, AnEmptyKeyLivesInANodeTheNextKeyTakesOver)
{
    HashTable table;
    table.setValue("", "x");
    EXPECT_EQ(table.getValue(""), "x");
    EXPECT_EQ(table.toString(), "");
    table.setValue("k", "1");
    EXPECT_EQ(table.getValue(""), "");
    EXPECT_EQ(table.getValue("k"), "1");
    EXPECT_EQ(table.size(), 2);
}

TEST(HashTable, AnEmptyKeyBelowOtherKeysLastsUntilANewSmallestKey)
{
    HashTable table;
    table.setValue("m", "1");
    table.setValue("", "x");
    table.setValue("z", "2");
    table.setValue("m", "3");
    EXPECT_EQ(table.getValue(""), "x");
    EXPECT_EQ(table.getIdByIndex(1), "");
    table.setValue("a", "4"); // smaller than every key: takes the empty key's place
    EXPECT_EQ(table.getValue(""), "");
    EXPECT_EQ(table.toString(), "a=4\r\nm=3\r\nz=2\r\n");
    EXPECT_EQ(table.getIdByIndex(1), "");
    EXPECT_EQ(table.getIdByIndex(2), "a");
    EXPECT_EQ(table.getIdByIndex(5), "z");
}

TEST(HashTableFile, LinesApplyFromTheMiddleOutwards)
{
    TemporaryFolder folder;
    HashTable odd;
    odd.LoadFile(folder.write("odd.txt", "k=1\r\nx\r\nk=2\r\n#\r\nk=3"));
    EXPECT_EQ(odd.getValue("k"), "3");
    EXPECT_EQ(odd.size(), 4); // the middle line counts twice

    HashTable even;
    even.LoadFile(folder.write("even.txt", "k=1\r\nk=2\r\nk=3\r\nend"));
    EXPECT_EQ(even.getValue("k"), "1");
    EXPECT_EQ(even.size(), 3);
}

TEST(HashTableFile, LinesSplitAtTheFirstEqualsSignWithoutTrimming)
{
    TemporaryFolder folder;
    HashTable table;
    table.LoadFile(folder.write("t.txt", "a=b=c\r\n=x\r\n k = v \r\nnoequals\r\nempty=\r\n"));
    EXPECT_EQ(table.getValue("a"), "b=c");
    EXPECT_EQ(table.getValue(" k "), " v ");
    EXPECT_EQ(table.getValue("empty"), "");
    EXPECT_EQ(table.getValue("noequals"), "");
    EXPECT_EQ(table.toString().find("noequals"), std::string::npos);

    HashTable empty;
    empty.LoadFile(folder.write("empty.txt", ""));
    EXPECT_EQ(empty.size(), 0);
}

TEST(HashTableFile, IndirectValuesAreReadAtEachLookup)
{
    TemporaryFolder folder;
    const std::string notes = folder.path("notes.txt");
    HashTable table;
    table.setValue("n", "#src=" + notes);
    table.setValue("bare", "#src=");
    EXPECT_FAULT(table.getValue("n"), "File not found");
    folder.write("notes.txt", "first\r\nsecond");
    EXPECT_EQ(table.getValue("n"), "first\r\nsecond");
    folder.write("notes.txt", "changed");
    EXPECT_EQ(table.getValue("n"), "changed");
    EXPECT_EQ(table.getValue("bare"), "#src=");
    EXPECT_EQ(table.toString(), "bare=#src=\r\nn=#src=" + notes + "\r\n");
}

TEST(HashTableFile, IncludesNestUpToTheLimitAndALoopEndsWithAFault)
{
    TemporaryFolder folder;
    // A chain of files, each including the next, as deep as allowed. Each has
    // two lines, as a lone middle line would be applied twice per level.
    folder.write("chain" + std::to_string(HashTable::MaxIncludeDepth) + ".txt", "deepest=yes");
    for (int i = HashTable::MaxIncludeDepth - 1; i >= 0; --i)
        folder.write("chain" + std::to_string(i) + ".txt",
                     includeLine(folder.path("chain" + std::to_string(i + 1) + ".txt")) + "\r\n");
    HashTable chain;
    chain.LoadFile(folder.path("chain0.txt"));
    EXPECT_EQ(chain.getValue("deepest"), "yes");

    const std::string loop = folder.path("loop.txt");
    folder.write("loop.txt", "first=1\r\nsecond=2\r\n" + includeLine(loop)); // applied 1, 1, 0, 2
    HashTable table;
    EXPECT_FAULT(table.LoadFile(loop), "Out of stack space");
    EXPECT_EQ(table.getValue("first"), "1"); // entries applied before the fault stay

    HashTable missing;
    EXPECT_FAULT(missing.LoadFile(folder.path("none.txt")), "File not found");
}

TEST(HashTableFile, AChainOfLoneIncludeLinesEndsAtTheFileBound)
{
    TemporaryFolder folder;
    // A lone line is its file's middle line and applies twice, so each level
    // of this chain would read the next file twice: 2^32 reads in all.
    const int deepest = HashTable::MaxIncludeDepth;
    folder.write("lone" + std::to_string(deepest) + ".txt", "deepest=yes");
    for (int i = deepest - 1; i >= 0; --i)
        folder.write("lone" + std::to_string(i) + ".txt",
                     includeLine(folder.path("lone" + std::to_string(i + 1) + ".txt")));
    HashTable table;
    EXPECT_FAULT(table.LoadFile(folder.path("lone0.txt")), "Too many included files");
    EXPECT_EQ(table.getValue("deepest"), "yes");
    EXPECT_LE(table.size(), 2 * HashTable::MaxFilesPerLoad); // each read of the last file sets its entry twice
}

TEST(HashTableFile, LoadFileKeepsOnlyTheRootEntry)
{
    TemporaryFolder folder;
    HashTable table;
    table.setValue("m", "1");
    table.setValue("a", "2");
    table.setValue("z", "3");
    table.LoadFile(folder.write("t.txt", "b=4\r\n"));
    EXPECT_EQ(table.toString(), "b=4\r\nm=1\r\n");
    EXPECT_EQ(table.size(), 4);
    EXPECT_EQ(table.getIdByIndex(4), "z");
}

TEST(HashTableFile, SavedTableLoadsBackEqual)
{
    TemporaryFolder folder;
    HashTable table;
    for (const char *key : {"Processors.Name", "Chipset.CAS#", "a=b", "DMI Baseboard.model"})
        table.setValue(key, std::string("value of ") + key);
    table.setValue("indirect", "#src=elsewhere");
    const std::string path = folder.path("saved.txt");
    folder.write("saved.txt", "old contents");
    table.SaveFile(path);

    HashTable loaded;
    loaded.LoadFile(path);
    // "a=b" splits at its first "=" when read back.
    EXPECT_EQ(loaded.getValue("a"), "b=value of a=b");
    EXPECT_EQ(loaded.getValue("Chipset.CAS#"), "value of Chipset.CAS#");
    EXPECT_EQ(folder.read("saved.txt"), table.toString());
    const auto entries = std::filesystem::directory_iterator(std::filesystem::path(path).parent_path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "no temporary file is left behind";
}
