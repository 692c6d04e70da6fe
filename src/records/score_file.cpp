#include "records/score_file.h"

#include "foundation/fault.h"
#include "foundation/numbers.h"
#include "protocol/checksum.h"
#include "foundation/protocol.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>

namespace tarvik {

namespace {

constexpr std::string_view Magic = "Tkscore ";
constexpr std::string_view CurrentVersion = "vers1530";
constexpr std::string_view EndMarker = "endfile ";
constexpr std::size_t MagicWidth = 8;
constexpr std::size_t VersionWidth = 8;
constexpr std::size_t TimeWidth = 8;
constexpr std::size_t LongestChecksum = 8;
constexpr char Pad = '\x02';
// A file's thread count must be one the console's thread-count command
// accepts: none would leave a test run waiting for ever, and thousands would
// exhaust the process's threads and file handles at the next run.
constexpr const char *ThreadCountOutOfRange = faults::InvalidProcedureCall;

// One fixed-width text field; a null member is the thread count.
struct FieldSpec {
    std::string HardwareFields::*member;
    std::size_t width;
};

using H = HardwareFields;
constexpr FieldSpec ThreadsField{nullptr, 4};

constexpr FieldSpec Fields1200[] = {
    {&H::hwbotcpu, 256},
    {&H::hwbotcpuclk, 32},
    {&H::CPU_info, 1024},
    {&H::cpu_string, 2048},
};
constexpr FieldSpec Fields1320[] = {
    {&H::hwbotcpu, 256}, {&H::hwbotcpuclk, 32}, ThreadsField, {&H::CPU_info, 1024}, {&H::cpu_string, 2048},
};
constexpr FieldSpec Fields1350[] = {
    {&H::hwbotcpu, 256}, {&H::hwbot_send_cpu, 256}, {&H::hwbotcpuclk, 32},
    ThreadsField,        {&H::CPU_info, 1024},      {&H::cpu_string, 2048},
};
constexpr FieldSpec Fields1530[] = {
    {&H::hwbotcpu, 256},  {&H::hwbot_send_cpu, 256}, {&H::hwbotcpuclk, 32},   ThreadsField,
    {&H::CPU_info, 1024}, {&H::cpu_string, 2048},    {&H::mem_type, 16},      {&H::mem_size, 8},
    {&H::mem_freq, 8},    {&H::mem_cas, 4},          {&H::mem_rcd, 4},        {&H::mem_rp, 4},
    {&H::mem_tras, 4},    {&H::board_model, 256},    {&H::board_vendor, 256},
};

struct Layout {
    std::string_view version;
    // From "vers1350" on, the clock text is read with its commas as points,
    // so that a file saved in a comma locale loads anywhere.
    bool clockCommasToPoints;
    std::span<const FieldSpec> fields;
};

constexpr Layout Layouts[] = {
    {"vers1200", false, Fields1200}, {"vers1300", false, Fields1200},    {"vers1320", false, Fields1320},
    {"vers1350", true, Fields1350},  {CurrentVersion, true, Fields1530},
};
constexpr const Layout &Current = Layouts[std::size(Layouts) - 1];

constexpr std::size_t fieldsWidth(const Layout &layout)
{
    std::size_t width = 0;
    for (const FieldSpec &field : layout.fields)
        width += field.width;
    return width;
}

static_assert(MagicWidth + VersionWidth + fieldsWidth(Current) + 1 + TimeWidth + LongestChecksum + EndMarker.size() ==
              LongestScoreFile);

const Layout *layoutOf(std::string_view version)
{
    const auto found = std::find_if(std::begin(Layouts), std::end(Layouts),
                                    [&](const Layout &layout) { return layout.version == version; });
    return found == std::end(Layouts) ? nullptr : found;
}

// The text cut to `width` bytes, or padded with 0x02 up to it. A cut never
// splits a UTF-8 sequence: it goes back to the sequence's first byte.
std::string padField(const std::string &text, std::size_t width)
{
    std::size_t cut = std::min(text.size(), width);
    const auto isContinuation = [&](std::size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    if (cut < text.size())
        for (int back = 0; back < 3 && cut > 0 && isContinuation(cut); ++back)
            --cut;
    std::string field = text.substr(0, cut);
    field.resize(width, Pad);
    return field;
}

std::string stripPad(std::string_view field)
{
    std::string text(field);
    std::erase(text, Pad);
    return text;
}

std::string timeBytes(double time)
{
    auto bits = std::bit_cast<std::uint64_t>(time);
    std::string bytes;
    for (std::size_t i = 0; i < TimeWidth; ++i, bits >>= 8)
        bytes += static_cast<char>(bits & 0xFF);
    return bytes;
}

double timeFromBytes(std::string_view bytes)
{
    std::uint64_t bits = 0;
    for (std::size_t i = TimeWidth; i-- > 0;)
        bits = bits << 8 | static_cast<unsigned char>(bytes[i]);
    return std::bit_cast<double>(bits);
}

// Reads a file front to back; a field that runs past the end is a fault.
class ScoreReader {
public:
    explicit ScoreReader(std::string_view bytes) : m_rest(bytes) {}

    // Like the magic and the version, a leading field may be cut short by
    // the end of the file and is then simply not what was expected.
    std::string_view takeUpTo(std::size_t width)
    {
        if (m_rest.empty())
            throw Fault(faults::InputPastEndOfFile);
        const std::string_view taken = m_rest.substr(0, width);
        m_rest.remove_prefix(taken.size());
        return taken;
    }

    std::string_view take(std::size_t width)
    {
        if (m_rest.size() < width)
            throw Fault(faults::InputPastEndOfFile);
        return takeUpTo(width);
    }

    // The checksum ends where the end marker begins; without the marker it
    // is the next 8 bytes. A file that ends inside the checksum or the
    // marker was cut short, even where the digits left would still match.
    // Older versions kept the checksum in a field of 8 bytes, so there all
    // 8 digits without a marker are whole.
    std::string_view takeChecksum(bool eightByteField)
    {
        const std::string_view window = m_rest.substr(0, LongestChecksum + EndMarker.size());
        const std::size_t marker = window.find(EndMarker);
        if (marker == std::string_view::npos) {
            const std::size_t digits =
                std::min({window.find_first_not_of("0123456789ABCDEF"), window.size(), LongestChecksum});
            const std::string_view tail = window.substr(digits);
            const bool wholeField = eightByteField && digits == LongestChecksum && tail.empty();
            if (EndMarker.starts_with(tail) && !wholeField)
                throw Fault(faults::InputPastEndOfFile);
        }
        return takeUpTo(std::min(marker, LongestChecksum));
    }

private:
    std::string_view m_rest;
};

LoadedScore readRecord(ScoreReader &reader, const Layout &layout, char decimalSeparator)
{
    LoadedScore score;
    for (const FieldSpec &field : layout.fields) {
        std::string text = stripPad(reader.take(field.width));
        if (!field.member) {
            score.threads = numbers::toInt16(numbers::strictNumber(text, decimalSeparator));
            continue;
        }
        if (field.member == &H::hwbotcpuclk && layout.clockCommasToPoints)
            std::replace(text.begin(), text.end(), ',', '.');
        score.hardware.emplace_back(field.member, std::move(text));
    }
    score.test = static_cast<unsigned char>(reader.take(1).front());
    score.time = timeFromBytes(reader.take(TimeWidth));
    return score;
}

const std::string &loadedField(const LoadedScore &score, std::string HardwareFields::*member)
{
    return std::find_if(score.hardware.begin(), score.hardware.end(),
                        [&](const LoadedScore::HardwareValue &value) { return value.first == member; })
        ->second;
}

LoadOutcome refused(std::string message)
{
    return {std::move(message), std::nullopt};
}

LoadOutcome readScore(std::string_view bytes, char decimalSeparator)
{
    ScoreReader reader(bytes);
    if (reader.takeUpTo(MagicWidth) != Magic)
        return refused(scoreResults::InvalidFormat);
    const std::string_view version = reader.takeUpTo(VersionWidth);
    const Layout *layout = layoutOf(version);
    if (!layout)
        return refused(scoreResults::unsupportedFormat(version));

    LoadedScore score = readRecord(reader, *layout, decimalSeparator);
    const std::string_view stored = reader.takeChecksum(layout != &Current);
    const std::string expected = csum(score.test, score.time, loadedField(score, &H::hwbotcpuclk),
                                      loadedField(score, &H::hwbotcpu), decimalSeparator);
    if (stored != expected)
        return refused(scoreResults::InvalidChecksum);
    // The values are checked once the whole file has been read, so that a
    // file's faults are reported in the order it is read; and here rather
    // than when applied, so that applying the score cannot fail half way.
    if (score.threads && (*score.threads < 1 || *score.threads > MostThreads))
        throw Fault(ThreadCountOutOfRange);
    if (!isTestNumber(score.test))
        throw Fault(faults::SubscriptOutOfRange);
    return {scoreResults::Loaded, std::move(score)};
}

} // namespace

std::string scoreResults::unsupportedFormat(std::string_view version)
{
    return "Unsupported file format (" + std::string(version) + ").";
}

std::string scoreResults::quickModeRecord(std::int16_t test)
{
    return "Test " + std::to_string(test) + " was run in quick mode; its time cannot be saved.";
}

std::string scoreFileBytes(const HardwareFields &hardware, std::int16_t threads, std::int16_t test, double time,
                           char decimalSeparator)
{
    if (test < 0 || test > 0xFF)
        throw Fault(faults::InvalidProcedureCall);
    const std::string checksum = csum(test, time, hardware.hwbotcpuclk, hardware.hwbotcpu, decimalSeparator);

    std::string bytes;
    bytes.reserve(LongestScoreFile);
    bytes.append(Magic).append(CurrentVersion);
    for (const FieldSpec &field : Current.fields)
        bytes += padField(field.member ? hardware.*field.member : std::to_string(threads), field.width);
    bytes += static_cast<char>(test);
    bytes += timeBytes(time);
    bytes.append(checksum).append(EndMarker);
    return bytes;
}

void LoadedScore::applyTo(HardwareFields &fields, std::int16_t &threadCount, Records &records) const
{
    for (const auto &[member, value] : hardware)
        fields.*member = value;
    if (threads)
        threadCount = *threads;
    records.set(test, time);
}

LoadOutcome parseScoreFile(std::string_view bytes, char decimalSeparator)
{
    try {
        return readScore(bytes, decimalSeparator);
    } catch (const Fault &fault) {
        return refused(fault.description());
    }
}

} // namespace tarvik
