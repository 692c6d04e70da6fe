#include "expect_fault.h"
#include "protocol/checksum.h"
#include "records/score_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <set>

using namespace tarvik;

namespace {

HardwareFields sampleMachine()
{
    HardwareFields hw;
    hw.hwbotcpu = "Intel(R) Core(TM) i7 CPU 920 @ 2.67GHz";
    hw.hwbot_send_cpu = "Core i7 920";
    hw.hwbotcpuclk = "3000";
    hw.CPU_info = "Intel\x01"
                  "Core i7 920\x01"
                  "3000";
    hw.cpu_string = "Intel Core i7 920\r\n4 cores, 8 threads";
    hw.mem_type = "DDR3";
    hw.mem_size = "6144";
    hw.mem_freq = "666.7";
    hw.mem_cas = "9";
    hw.mem_rcd = "9";
    hw.mem_rp = "9";
    hw.mem_tras = "24";
    hw.board_model = "X58A-UD3R";
    hw.board_vendor = "Gigabyte Technology Co., Ltd.";
    return hw;
}

// A text field as the files hold it, built independently of the writer.
std::string field(const std::string &text, std::size_t width)
{
    return text.substr(0, width) + std::string(width - std::min(width, text.size()), '\x02');
}

std::string littleEndian(double time)
{
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &time, 8);
    return bytes;
}

// A file of an older version: the fields in its order, then the size index,
// the time, the checksum and the end marker.
std::string olderFile(const std::string &version, const HardwareFields &hw, const std::string &threads,
                      std::int16_t test, double time, char decimalSeparator = '.')
{
    std::string bytes = "Tkscore " + version + field(hw.hwbotcpu, 256);
    if (version == "vers1350")
        bytes += field(hw.hwbot_send_cpu, 256);
    bytes += field(hw.hwbotcpuclk, 32);
    if (version == "vers1320" || version == "vers1350")
        bytes += field(threads, 4);
    bytes += field(hw.CPU_info, 1024) + field(hw.cpu_string, 2048);
    bytes += static_cast<char>(test);
    bytes += littleEndian(time);
    return bytes + csum(test, time, hw.hwbotcpuclk, hw.hwbotcpu, decimalSeparator) + "endfile ";
}

struct Applied {
    HardwareFields hw;
    std::int16_t threads = 0;
    Records records;
};

// Loads `bytes` onto a console state that already holds other values.
Applied loadOnto(const std::string &bytes, const HardwareFields &before, char decimalSeparator = '.')
{
    const LoadOutcome outcome = parseScoreFile(bytes, decimalSeparator);
    EXPECT_EQ(outcome.message, "Score loaded.");
    Applied state{before, 99, {}};
    if (outcome.score)
        outcome.score->applyTo(state.hw, state.threads, state.records);
    return state;
}

HardwareFields otherMachine()
{
    HardwareFields hw;
    hw.hwbot_send_cpu = "previous name";
    hw.mem_type = "previous memory";
    hw.board_vendor = "previous vendor";
    return hw;
}

} // namespace

TEST(ScoreFileWriter, CurrentFormatByteForByte)
{
    const std::string bytes = scoreFileBytes(sampleMachine(), 4, 6, 20.5, '.');
    ASSERT_EQ(bytes.size(), 4220u) << "a 7-digit checksum";
    const struct {
        std::size_t offset;
        std::string content;
    } expected[] = {
        {0, "Tkscore vers1530"},
        {16, field("Intel(R) Core(TM) i7 CPU 920 @ 2.67GHz", 256)},
        {272, field("Core i7 920", 256)},
        {528, field("3000", 32)},
        {560, field("4", 4)},
        {564, field(sampleMachine().CPU_info, 1024)},
        {1588, field(sampleMachine().cpu_string, 2048)},
        {3636, field("DDR3", 16)},
        {3652, field("6144", 8)},
        {3660, field("666.7", 8)},
        {3668, field("9", 4) + field("9", 4) + field("9", 4) + field("24", 4)},
        {3684, field("X58A-UD3R", 256)},
        {3940, field("Gigabyte Technology Co., Ltd.", 256)},
        {4196, std::string("\x06\0\0\0\0\0\x80\x34\x40", 9)}, // index, then 20.5 little-endian
        {4205, "EAE7E92endfile "},
    };
    for (const auto &part : expected)
        EXPECT_EQ(bytes.substr(part.offset, part.content.size()), part.content) << "at " << part.offset;

    HardwareFields eightDigits = sampleMachine();
    eightDigits.hwbotcpu = "AMD Athlon";
    eightDigits.hwbotcpuclk = "2400";
    const std::string longer = scoreFileBytes(eightDigits, 2, 11, 600.25, '.');
    EXPECT_EQ(longer.size(), 4221u);
    EXPECT_EQ(longer.substr(4205), "F27EC6C8endfile ");
}

TEST(ScoreFileWriter, RefusesWhatCannotBeChecksummed)
{
    HardwareFields noName = sampleMachine();
    noName.hwbotcpu.clear();
    EXPECT_FAULT(scoreFileBytes(noName, 4, 6, 20.5, '.'), "Invalid procedure call or argument");
    HardwareFields noClock = sampleMachine();
    noClock.hwbotcpuclk = "unknown";
}

TEST(ScoreFile, RoundTripRestoresEveryField)
{
    const HardwareFields hw = sampleMachine();
    const Applied loaded = loadOnto(scoreFileBytes(hw, 4, 6, 20.5, '.'), otherMachine());
    EXPECT_EQ(loaded.hw, hw);
    EXPECT_EQ(loaded.threads, 4);
    EXPECT_EQ(loaded.records.get(6), 20.5);

    // Any time survives its 8 bytes, a slow one and no record at all included.
    for (double time : {0.0, 1e-300, 12345.678901234567})
        EXPECT_EQ(loadOnto(scoreFileBytes(hw, 1, 11, time, '.'), {}).records.get(11), time);
}

TEST(ScoreFile, LongFieldsAreCutAndPaddingBytesStripped)
{
    HardwareFields hw = sampleMachine();
    hw.hwbotcpu = std::string(300, 'I');
    hw.mem_type = "DDR3 \x02SDRAM";
    hw.board_model = std::string(255, 'M') + "\xC3\xA9"; // a cut would split the last character
    hw.cpu_string = std::string(2048, '\x02');           // a field full of padding
    const Applied loaded = loadOnto(scoreFileBytes(hw, 4, 6, 20.5, '.'), otherMachine());
    EXPECT_EQ(loaded.hw.hwbotcpu, std::string(256, 'I'));
    EXPECT_EQ(loaded.hw.mem_type, "DDR3 SDRAM");
    EXPECT_EQ(loaded.hw.board_model, std::string(255, 'M'));
    EXPECT_EQ(loaded.hw.cpu_string, "");
}

TEST(ScoreFile, CommaClockLoadsWithAPointInEveryLocale)
{
    HardwareFields hw = sampleMachine();
    hw.hwbotcpuclk = "2666,5";
    const std::string bytes = scoreFileBytes(hw, 4, 6, 20.5, ',');
    for (char separator : {',', '.'}) {
        const Applied loaded = loadOnto(bytes, {}, separator);
        EXPECT_EQ(loaded.hw.hwbotcpuclk, "2666.5");
        EXPECT_EQ(loaded.records.get(6), 20.5);
    }
}

TEST(ScoreFile, OlderVersionsSetOnlyTheFieldsTheyCarry)
{
    HardwareFields hw = sampleMachine();
    hw.hwbotcpu = "AMD Athlon";
    hw.hwbotcpuclk = "2400";
    const HardwareFields before = otherMachine();

    for (const char *version : {"vers1200", "vers1300"}) {
        const Applied loaded = loadOnto(olderFile(version, hw, "", 11, 600.25), before);
        EXPECT_EQ(loaded.threads, 99) << version;
        EXPECT_EQ(loaded.hw.hwbot_send_cpu, "previous name") << version;
        EXPECT_EQ(loaded.hw.hwbotcpu, "AMD Athlon") << version;
        EXPECT_EQ(loaded.hw.cpu_string, hw.cpu_string) << version;
        EXPECT_EQ(loaded.records.get(11), 600.25) << version;
    }

    const Applied v1320 = loadOnto(olderFile("vers1320", hw, "2", 11, 600.25), before);
    EXPECT_EQ(v1320.threads, 2);
    EXPECT_EQ(v1320.hw.hwbot_send_cpu, "previous name");

    const Applied v1350 = loadOnto(olderFile("vers1350", hw, "8", 11, 600.25), before);
    EXPECT_EQ(v1350.threads, 8);
    EXPECT_EQ(v1350.hw.hwbot_send_cpu, "Core i7 920");
    EXPECT_EQ(v1350.hw.mem_type, "previous memory");
    EXPECT_EQ(v1350.hw.board_vendor, "previous vendor");
    EXPECT_EQ(v1350.records.get(11), 600.25);

    // Before "vers1350" the clock keeps its comma, and a short checksum is
    // found by the end marker in every version.
    HardwareFields comma = sampleMachine();
    comma.hwbotcpuclk = "3000,4";
    const Applied v1320Comma = loadOnto(olderFile("vers1320", comma, "4", 6, 20.5, ','), {}, ',');
    EXPECT_EQ(v1320Comma.hw.hwbotcpuclk, "3000,4");
    EXPECT_EQ(v1320Comma.records.get(6), 20.5);
}

TEST(ScoreFile, RefusedFilesGiveTheirReasonAndNothingToApply)
{
    const HardwareFields hw = sampleMachine();
    const std::string good = scoreFileBytes(hw, 4, 6, 20.5, '.');
    const auto changed = [&](std::size_t offset, const std::string &bytes) {
        return std::string(good).replace(offset, bytes.size(), bytes);
    };
    const struct {
        const char *name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"empty file", "", "Input past end of file"},
        {"short magic", "Tksc", "Invalid file format."},
        {"wrong magic", changed(0, "tk"), "Invalid file format."},
        {"magic alone", "Tkscore ", "Input past end of file"},
        {"unknown version", changed(8, "vers1400"), "Unsupported file format (vers1400)."},
        {"short version", "Tkscore vers", "Unsupported file format (vers)."},
        {"cut in a field", good.substr(0, 3000), "Input past end of file"},
        {"cut before the checksum", good.substr(0, 4205), "Input past end of file"},
        {"changed checksum", changed(4205, "EAE7E93"), "Invalid checksum."},
        {"changed time", changed(4202, "\x81"), "Invalid checksum."},
        {"changed processor", changed(16, "J"), "Invalid checksum."},
        {"padded checksum", changed(4205, "EAE7E92\x02"), "Invalid checksum."},
        {"thread count not a number", changed(560, "four"), "Type mismatch"},
        {"thread count empty", changed(560, field("", 4)), "Type mismatch"},
        {"no threads", changed(560, field("0", 4)), "Invalid procedure call or argument"},
        {"more threads than a run may start", changed(560, field("257", 4)), "Invalid procedure call or argument"},
        {"thousands of threads", changed(560, field("3E4", 4)), "Invalid procedure call or argument"},
        // Faults come in the order the file is read: the thread count's range
        // is checked once the whole file has been.
        {"bad thread count, then a changed checksum",
         std::string(good).replace(560, 4, field("999", 4)).replace(4205, 7, "EAE7E93"), "Invalid checksum."},
        {"bad thread count, then cut short", changed(560, field("0", 4)).substr(0, 4000), "Input past end of file"},
        {"processor text all padding", changed(16, field("", 256)), "Invalid procedure call or argument"},
        {"clock not a number", changed(528, "fast"), "Type mismatch"},
        {"time not a number", changed(4197, littleEndian(std::nan(""))), "Overflow"},
        // A matching checksum does not make an index outside the table valid.
        {"index 0", scoreFileBytes(hw, 4, 0, 20.5, '.'), "Subscript out of range"},
        {"index 17", scoreFileBytes(hw, 4, 17, 20.5, '.'), "Subscript out of range"},
    };
    for (const auto &c : cases) {
        const LoadOutcome outcome = parseScoreFile(c.bytes, '.');
        EXPECT_EQ(outcome.message, c.message) << c.name;
        EXPECT_FALSE(outcome.score) << c.name;
    }
}

TEST(ScoreFile, TruncatedAtEveryLengthIsRefused)
{
    const std::string good = scoreFileBytes(sampleMachine(), 4, 6, 20.5, '.');
    const std::size_t startOfChecksum = 4205;
    const std::set<std::string> reasons{"Input past end of file", "Invalid file format.", "Invalid checksum.",
                                        "Type mismatch"};
    for (std::size_t length = 0; length < good.size(); ++length) {
        const LoadOutcome outcome = parseScoreFile(std::string_view(good).substr(0, length), '.');
        EXPECT_FALSE(outcome.score) << length;
        // Cut inside the checksum or its end marker, the file is short
        // whatever the digits left say.
        if (length >= startOfChecksum)
            EXPECT_EQ(outcome.message, "Input past end of file") << length;
        else if (!reasons.count(outcome.message) && !outcome.message.starts_with("Unsupported file format ("))
            ADD_FAILURE() << length << ": " << outcome.message;
    }
}

TEST(ScoreFile, OlderVersionsTakeAWholeEightDigitChecksumWithoutMarker)
{
    // The older versions kept the checksum in a field of 8 bytes; a file
    // that ends right after all 8 digits is whole.
    const HardwareFields hw = sampleMachine();
    double time = 20.5;
    while (csum(6, time, hw.hwbotcpuclk, hw.hwbotcpu, '.').size() < 8)
        time += 0.25;
    const std::string file = olderFile("vers1320", hw, "4", 6, time);
    const std::string unmarked = file.substr(0, file.size() - 8);
    EXPECT_EQ(parseScoreFile(unmarked, '.').message, "Score loaded.");
    EXPECT_EQ(parseScoreFile(unmarked.substr(0, unmarked.size() - 1), '.').message, "Input past end of file");
}

TEST(ScoreFile, RandomAndMutatedBytesNeverLoadWithoutAValidChecksum)
{
    const std::string good = scoreFileBytes(sampleMachine(), 4, 6, 20.5, '.');
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        if (round % 3 == 0) { // noise, sometimes behind a valid header
            bytes = round % 2 ? "Tkscore vers1530" : "";
            bytes.resize(bytes.size() + random() % 5000);
            for (std::size_t i = 16; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(byte(random));
        } else { // a valid file with a few bytes changed
            bytes = good;
            for (int changes = 1 + random() % 4; changes > 0; --changes)
                bytes[random() % bytes.size()] = static_cast<char>(byte(random));
        }
        const LoadOutcome outcome = parseScoreFile(bytes, '.');
        ASSERT_FALSE(outcome.message.empty());
        if (!outcome.score)
            continue;
        ASSERT_EQ(outcome.message, "Score loaded.");
        // Whatever loads carries the checksum of what it sets.
        Applied state;
        outcome.score->applyTo(state.hw, state.threads, state.records);
        const std::string checksum =
            csum(outcome.score->test, outcome.score->time, state.hw.hwbotcpuclk, state.hw.hwbotcpu, '.');
        EXPECT_NE(bytes.find(checksum), std::string::npos);
        EXPECT_GE(state.threads, 1);
        EXPECT_LE(state.threads, 256);
    }
}
