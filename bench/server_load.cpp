#include "server_load.h"

#include "submissions.h"
#include "tcp_client.h"

#include <QString>
#include <QUrl>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <regex>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace tarvik::bench {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int ClientNiceness = 10;
using server::testing::resultIds;

std::int64_t submitOverTcp(int port, const std::string &message)
{
    server::testing::TcpClient client(port);
    client.send(message);
    client.halfClose();
    const auto ids = resultIds(client.receiveAll());
    return ids.empty() ? 0 : ids.begin()->second;
}

std::int64_t submitOverHttp(httplib::Client &web, const std::string &message)
{
    static const std::regex link("score\\.cgi\\?id=(\\d+)");
    const std::string query = QUrl::toPercentEncoding(QString::fromStdString(message)).toStdString();
    const httplib::Result result = web.Get(("/submit.cgi?SendStr=" + query).c_str());
    std::smatch id;
    if (!result || result->status != 200 || !std::regex_search(result->body, id, link))
        return 0;
    return std::stoll(id[1]);
}

// Every submission of the process has a time of its own, or the server
// would take it for a repeat of a stored one and store nothing.
long long nextTime()
{
    static std::atomic<long long> sequence{0};
    return sequence++;
}

// One client's share of the load.
void submitUntil(Channel channel, int port, int client, Clock::time_point end, LoadResult &total, std::mutex &mutex)
{
    // The clients stand for other machines: on this one they yield to the
    // server they measure.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), ClientNiceness);
    const HardwareFields machine = server::testing::reportMachine();
    httplib::Client web("127.0.0.1", port);
    web.set_read_timeout(60);
    LoadResult own;
    for (int n = 0; Clock::now() < end; ++n) {
        const std::string message = server::testing::submitMessage(
            std::string("load ").append(std::to_string(client)).append(".").append(std::to_string(n)), "load", machine,
            4, {{6, 10 + nextTime() * 0.001}});
        const auto begun = Clock::now();
        const std::int64_t id = channel == Channel::Tcp ? submitOverTcp(port, message) : submitOverHttp(web, message);
        own.latenciesMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begun).count());
        if (id)
            own.acceptedIds.push_back(id);
        else
            ++own.refused;
    }
    std::lock_guard lock(mutex);
    total.refused += own.refused;
    total.latenciesMs.insert(total.latenciesMs.end(), own.latenciesMs.begin(), own.latenciesMs.end());
    total.acceptedIds.insert(total.acceptedIds.end(), own.acceptedIds.begin(), own.acceptedIds.end());
}

} // namespace

LoadResult runLoad(Channel channel, const std::vector<int> &ports, int clients, std::chrono::seconds duration)
{
    LoadResult total;
    std::mutex mutex;
    const auto start = Clock::now();
    const auto end = start + duration;
    std::vector<std::thread> threads;
    for (int client = 0; client < clients; ++client)
        threads.emplace_back(submitUntil, channel, ports[static_cast<std::size_t>(client) % ports.size()], client, end,
                             std::ref(total), std::ref(mutex));
    for (std::thread &thread : threads)
        thread.join();
    total.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return total;
}

double percentile(std::vector<double> samples, double share)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

} // namespace tarvik::bench
