#pragma once

#include "rules/result_rules.h"

#include <QString>

#include <chrono>
#include <map>
#include <optional>
#include <tuple>

namespace tarvik::server {

// The plausibility bands a connection has read lately. Reading a popular
// band's latest results for every submission would cost more than the rest
// of the submission together, and a band of many results moves slowly: one
// that is large enough to judge is read again only after a few seconds.
// Smaller bands are always read, so the first results of a processor are
// judged by every result before them.
class BandMemory {
public:
    using Clock = std::chrono::steady_clock;
    struct Key {
        int test;
        int threads;
        QString processor;
        bool operator<(const Key &other) const
        {
            return std::tie(test, threads, processor) < std::tie(other.test, other.threads, other.processor);
        }
    };

    // The band of `key` when one large enough was read within the last few seconds.
    std::optional<rules::Band> recall(const Key &key, Clock::time_point now) const;
    void keep(const Key &key, const rules::Band &band, Clock::time_point now);

private:
    struct Read {
        rules::Band band;
        Clock::time_point at;
    };
    std::map<Key, Read> m_bands;
};

} // namespace tarvik::server
