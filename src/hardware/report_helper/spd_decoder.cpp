#include "hardware/report_helper/spd_decoder.h"

#include "foundation/blanks.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace tarvik {

namespace {

// Byte 2 of every SPD layout names the memory type.
constexpr std::uint8_t Ddr3Type = 0x0B;
constexpr std::uint8_t Ddr4Type = 0x0C;
constexpr std::uint8_t Ddr5Type = 0x12;

// Minimum times in picoseconds, as one SPD layout stores them.
struct SpdTimes {
    double clockPs = 0; // tCKmin, the fastest clock period
    double casPs = 0;   // tAAmin
    double rasToCasPs = 0;
    double rasPrechargePs = 0;
    double cycleTimePs = 0;        // tRASmin
    std::vector<int> casLatencies; // supported CAS latencies, ascending
};

class SpdBytes {
public:
    explicit SpdBytes(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    int at(std::size_t index) const { return static_cast<std::uint8_t>(m_bytes[index]); }
    // The fine corrections are two's-complement bytes.
    int signedAt(std::size_t index) const { return static_cast<std::int8_t>(m_bytes[index]); }
    int wordAt(std::size_t index) const { return at(index) | at(index + 1) << 8; }

    // Supported latencies from a little-endian bit mask: bit i stands for
    // first + i * step.
    std::vector<int> latencies(std::size_t from, std::size_t count, int first, int step) const
    {
        std::vector<int> supported;
        for (std::size_t bit = 0; bit < count * 8; ++bit)
            if (at(from + bit / 8) >> (bit % 8) & 1)
                supported.push_back(first + static_cast<int>(bit) * step);
        return supported;
    }

    // Printable text, trimmed; the rest of the field is padding.
    std::string text(std::size_t from, std::size_t length) const
    {
        if (from + length > m_bytes.size())
            return {};
        std::string printable;
        for (char c : m_bytes.substr(from, length))
            if (c >= 0x20 && c < 0x7F)
                printable += c;
        return trimWhitespace(printable);
    }

private:
    std::string_view m_bytes;
};

SpdTimes ddr3Times(const SpdBytes &spd)
{
    // Medium and fine time bases as the module states them (normally 1/8 ns and 1 ps).
    const double medium = spd.at(11) ? 1000.0 * spd.at(10) / spd.at(11) : 0;
    const double fine = (spd.at(9) & 0x0F) ? static_cast<double>(spd.at(9) >> 4) / (spd.at(9) & 0x0F) : 0;
    const auto time = [&](std::size_t coarse, std::size_t correction) {
        return spd.at(coarse) * medium + spd.signedAt(correction) * fine;
    };
    return {time(12, 34),
            time(16, 35),
            time(18, 36),
            time(20, 37),
            ((spd.at(21) & 0x0F) << 8 | spd.at(22)) * medium,
            spd.latencies(14, 2, 4, 1)};
}

SpdTimes ddr4Times(const SpdBytes &spd)
{
    // Fixed time bases: 125 ps and 1 ps.
    const auto time = [&](std::size_t coarse, std::size_t correction) {
        return spd.at(coarse) * 125.0 + spd.signedAt(correction);
    };
    // The top bit of the last mask byte selects the high latency range.
    const int firstCas = spd.at(23) & 0x80 ? 23 : 7;
    std::vector<int> cas = spd.latencies(20, 4, firstCas, 1);
    if (!cas.empty() && (spd.at(23) & 0x80))
        cas.pop_back(); // that top bit is the range flag, not a latency
    return {time(18, 125),
            time(24, 123),
            time(25, 122),
            time(26, 121),
            ((spd.at(27) & 0x0F) << 8 | spd.at(28)) * 125.0,
            cas};
}

SpdTimes ddr5Times(const SpdBytes &spd)
{
    // Times are stored in picoseconds; latencies are even, from 20.
    return {static_cast<double>(spd.wordAt(20)), static_cast<double>(spd.wordAt(30)),
            static_cast<double>(spd.wordAt(32)), static_cast<double>(spd.wordAt(34)),
            static_cast<double>(spd.wordAt(36)), spd.latencies(24, 5, 20, 2)};
}

// Clock cycles covering a minimum time, with decode-dimms' allowance for
// times stored a little above a whole number of cycles.
int cycles(double timePs, double clockPs)
{
    return static_cast<int>(std::ceil(timePs / clockPs - 0.025));
}

// The lowest supported CAS latency that covers the minimum; the minimum
// itself when the module lists none that does.
int casLatency(int minimum, const std::vector<int> &supported)
{
    for (int latency : supported)
        if (latency >= minimum)
            return latency;
    return minimum;
}

// The transfer rate of a clock period. JEDEC's rates are whole multiples of
// 400/3 MT/s rounded down (1066, 2400, 2666, 4800), while stored periods are
// whole picoseconds (833 ps for 2400), so a rate close to one of them is
// taken as that one.
int transferRate(double clockPs)
{
    const double rate = 2'000'000 / clockPs; // two transfers per clock
    const int grade = static_cast<int>(std::floor(std::nearbyint(rate * 3 / 400) * 400 / 3));
    return std::abs(rate - grade) <= rate / 100 ? grade : static_cast<int>(rate);
}

} // namespace

std::optional<SpdFacts> decodeSpd(std::string_view bytes, int runningMTs)
{
    const SpdBytes spd(bytes);
    if (spd.size() < 128)
        return std::nullopt;
    SpdFacts facts;
    SpdTimes times;
    if (spd.at(2) == Ddr3Type) {
        facts.type = "DDR3";
        times = ddr3Times(spd);
        facts.partNumber = spd.text(128, 18);
    } else if (spd.at(2) == Ddr4Type && spd.size() >= 256) {
        facts.type = "DDR4";
        times = ddr4Times(spd);
        facts.partNumber = spd.text(329, 20);
    } else if (spd.at(2) == Ddr5Type) {
        facts.type = "DDR5";
        times = ddr5Times(spd);
        facts.partNumber = spd.text(521, 30);
    } else {
        return std::nullopt;
    }
    if (times.clockPs <= 0 || times.casPs <= 0)
        return std::nullopt;

    facts.maxMTs = transferRate(times.clockPs);
    const bool slower = runningMTs > 0 && runningMTs < facts.maxMTs;
    const double clockPs = slower ? 2'000'000.0 / runningMTs : times.clockPs;
    facts.timings = MemoryTimings{casLatency(cycles(times.casPs, clockPs), times.casLatencies),
                                  cycles(times.rasToCasPs, clockPs), cycles(times.rasPrechargePs, clockPs),
                                  cycles(times.cycleTimePs, clockPs), slower ? runningMTs : facts.maxMTs};
    return facts;
}

} // namespace tarvik
