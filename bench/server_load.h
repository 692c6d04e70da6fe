#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::bench {

// How the load's clients submit: over TCP (each sends its message and
// half-closes, the fastest way a sender can end a message), or as browser
// submissions over HTTP.
enum class Channel { Tcp, Http };

struct LoadResult {
    double seconds = 0;
    long long refused = 0;                 // answers without a result id
    std::vector<double> latenciesMs;       // one per submission
    std::vector<std::int64_t> acceptedIds; // one per stored submission
};

// `clients` threads, each submitting one test after another for `duration`
// to the server at 127.0.0.1 (`port` of `channel`). With several ports (of
// servers sharing one database) the clients take them in turn, as behind a
// reverse proxy.
LoadResult runLoad(Channel channel, const std::vector<int> &ports, int clients, std::chrono::seconds duration);

// The value below which `share` (0 to 1) of `samples` lie, by nearest rank.
double percentile(std::vector<double> samples, double share);

} // namespace tarvik::bench
