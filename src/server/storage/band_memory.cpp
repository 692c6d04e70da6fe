#include "storage/band_memory.h"

namespace tarvik::server {

namespace {

constexpr std::chrono::seconds Freshness{10};
// Bands kept at most; beyond, the memory starts afresh.
constexpr std::size_t MostBands = 10000;

} // namespace

std::optional<rules::Band> BandMemory::recall(const Key &key, Clock::time_point now) const
{
    const auto found = m_bands.find(key);
    if (found == m_bands.end() || now - found->second.at >= Freshness)
        return std::nullopt;
    return found->second.band;
}

void BandMemory::keep(const Key &key, const rules::Band &band, Clock::time_point now)
{
    if (band.results < rules::BandResults)
        return;
    if (m_bands.size() >= MostBands)
        m_bands.clear();
    m_bands[key] = {band, now};
}

} // namespace tarvik::server
