#include "expect_fault.h"
#include "foundation/file_bytes.h"
#include "records/temporary_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace tarvik;
using namespace tarvik::files;
namespace fs = std::filesystem;

namespace {

long entriesIn(const std::string &folder)
{
    const fs::directory_iterator entries(folder);
    return std::distance(begin(entries), end(entries));
}

} // namespace

TEST(FileBytes, ReadsBytesUpToALimit)
{
    TemporaryFolder folder;
    const std::string bytes("a\0b\r\n\x02\xFF", 7);
    const std::string path = folder.write("f.bin", bytes);
    EXPECT_EQ(readFileBytes(path), bytes);
    EXPECT_EQ(readFileBytes(path, 3), bytes.substr(0, 3));
    EXPECT_EQ(readFileBytes(folder.write("empty", "")), "");
}

TEST(FileBytes, RefusesWhatIsNotAReadableRegularFile)
{
    TemporaryFolder folder;
    EXPECT_FAULT(readFileBytes(folder.path("missing")), "File not found");
    EXPECT_FAULT(readFileBytes(""), "File not found");
    EXPECT_FAULT(readFileBytes(folder.path("missing/inner")), "File not found");
    EXPECT_FAULT(readFileBytes(folder.path("")), "Path/File access error");
    // A pipe without a writer would block the reader for ever.
    ASSERT_EQ(::mkfifo(folder.path("pipe").c_str(), 0600), 0);
    EXPECT_FAULT(readFileBytes(folder.path("pipe")), "Path/File access error");
    EXPECT_FAULT(readFileBytes("/dev/zero"), "Path/File access error");
}

TEST(FileBytes, ReplacesTheFileAndKeepsItsPermissions)
{
    TemporaryFolder folder;
    const std::string path = folder.write("f.txt", "old contents");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    replaceFileBytes(path, "new");
    EXPECT_EQ(folder.read("f.txt"), "new");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    replaceFileBytes(folder.path("created.txt"), "");
    EXPECT_TRUE(fs::exists(folder.path("created.txt")));
    EXPECT_EQ(entriesIn(folder.path("")), 2) << "no temporary file is left behind";
}

TEST(FileBytes, ALinkKeepsPointingAtTheReplacedFile)
{
    TemporaryFolder folder;
    folder.write("target.txt", "old");
    fs::create_symlink("target.txt", folder.path("link.txt"));
    replaceFileBytes(folder.path("link.txt"), "new");
    EXPECT_TRUE(fs::is_symlink(folder.path("link.txt")));
    EXPECT_EQ(folder.read("target.txt"), "new");
}

TEST(FileBytes, AFailedReplaceLeavesNothingBehind)
{
    TemporaryFolder folder;
    folder.write("plain", "x");
    fs::create_directory(folder.path("dir"));
    folder.write("dir/inside", "kept");
    EXPECT_FAULT(replaceFileBytes(folder.path("missing/f.txt"), "new"), "Path not found");
    EXPECT_FAULT(replaceFileBytes(folder.path("plain/f.txt"), "new"), "Path not found");
    EXPECT_FAULT(replaceFileBytes(folder.path("dir"), "new"), "Path/File access error");
    EXPECT_FAULT(replaceFileBytes(folder.path("dir/"), "new"), "Bad file name");
    EXPECT_EQ(folder.read("dir/inside"), "kept");
    EXPECT_EQ(entriesIn(folder.path("")), 2);
    EXPECT_EQ(entriesIn(folder.path("dir")), 1);
}

TEST(FileBytes, WhatIsNotARegularFileIsNeverReplaced)
{
    TemporaryFolder folder;
    ASSERT_EQ(::mkfifo(folder.path("pipe").c_str(), 0600), 0);
    EXPECT_FAULT(replaceFileBytes(folder.path("pipe"), "new"), "Path/File access error");
    EXPECT_TRUE(fs::is_fifo(folder.path("pipe")));
    // A device takes the bytes itself and reports its own faults.
    EXPECT_FAULT(replaceFileBytes("/dev/full", "new"), "Disk full");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    if (::mknod(folder.path("full").c_str(), S_IFCHR | 0600, ::makedev(1, 7)) == 0) { // only as root
        EXPECT_FAULT(replaceFileBytes(folder.path("full"), "new"), "Disk full");
        EXPECT_TRUE(fs::is_character_file(folder.path("full")));
    }
    EXPECT_EQ(entriesIn(folder.path("")), fs::exists(folder.path("full")) ? 2 : 1);
}

TEST(FileBytes, APathWithANulByteIsABadFileName)
{
    TemporaryFolder folder;
    const std::string cut = folder.path("a");
    const std::string withNul = cut + std::string(1, '\0') + "b";
    EXPECT_FAULT(replaceFileBytes(withNul, "new"), "Bad file name");
    EXPECT_FALSE(fs::exists(cut));
    folder.write("a", "x");
    EXPECT_FAULT(readFileBytes(withNul), "Bad file name");
}
