#include "records/score_storage.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

HardwareFields machine()
{
    HardwareFields hw;
    hw.hwbotcpu = "Intel(R) Core(TM)2 Duo CPU E8400 @ 3.00GHz";
    hw.hwbotcpuclk = "3000";
    hw.cpu_string = "Core 2 Duo E8400";
    hw.board_vendor = "ASUSTeK";
    return hw;
}

Records recordOf(std::int16_t test, double time)
{
    Records records;
    records.set(test, time);
    return records;
}

} // namespace

TEST(ScoreStorage, SavedScoreLoadsIntoAFreshConsole)
{
    TemporaryFolder folder;
    const std::string path = folder.path("score.tks");
    EXPECT_EQ(saveScore(path, 6, recordOf(6, 20.5), machine(), 2, '.'), "Score Saved.");
    EXPECT_EQ(folder.read("score.tks").size(), 4220u);

    for (const std::string &given : {path, "\"" + path + "\""}) {
        const LoadOutcome outcome = loadScore(given, '.');
        ASSERT_EQ(outcome.message, "Score loaded.") << given;
        HardwareFields hw;
        std::int16_t threads = 0;
        Records records;
        outcome.score->applyTo(hw, threads, records);
        EXPECT_EQ(hw, machine());
        EXPECT_EQ(threads, 2);
        EXPECT_EQ(records.get(6), 20.5);
    }
}

TEST(ScoreStorage, AFailedSaveKeepsTheOldFile)
{
    TemporaryFolder folder;
    const std::string path = folder.write("score.tks", "old score");
    HardwareFields unnamed = machine();
    unnamed.hwbotcpu.clear();

    EXPECT_EQ(saveScore(path, 6, recordOf(6, 20.5), unnamed, 2, '.'), "Invalid procedure call or argument");
    EXPECT_EQ(saveScore(path, 17, recordOf(6, 20.5), machine(), 2, '.'), "Subscript out of range");
    EXPECT_EQ(folder.read("score.tks"), "old score");
    EXPECT_EQ(saveScore(folder.path("missing/score.tks"), 6, recordOf(6, 20.5), machine(), 2, '.'), "Path not found");
    // A test without a record is saved like any other.
    EXPECT_EQ(saveScore(path, 11, recordOf(6, 20.5), machine(), 2, '.'), "Score Saved.");
}

TEST(ScoreStorage, UnreadableFilesGiveTheFaultsDescription)
{
    TemporaryFolder folder;
    EXPECT_EQ(loadScore(folder.path("missing.tks"), '.').message, "File not found");
    EXPECT_EQ(loadScore(folder.path(""), '.').message, "Path/File access error");
    EXPECT_EQ(loadScore("\"\"", '.').message, "File not found");
}

TEST(ScoreStorage, OnlyTheBeginningOfAHugeFileIsRead)
{
    TemporaryFolder folder;
    const std::string path = folder.path("score.tks");
    ASSERT_EQ(saveScore(path, 6, recordOf(6, 20.5), machine(), 2, '.'), "Score Saved.");
    const std::string tail(16 << 20, 'x');
    folder.write("score.tks", folder.read("score.tks") + tail);
    EXPECT_EQ(loadScore(path, '.').message, "Score loaded.");
    EXPECT_EQ(loadScore(folder.write("noise.tks", tail), '.').message, "Invalid file format.");
}
