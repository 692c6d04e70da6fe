#include "network/standby_health.h"

#include <gtest/gtest.h>

namespace tarvik::server {
namespace {

using Clock = StandbyHealth::Clock;
using std::chrono::seconds;

// What the page readers see of a standby along a run of failures and
// answers: when they try it, and which changes are reported.
TEST(StandbyHealth, TriesAgainAfterThePauseAndReportsEachChangeOnce)
{
    enum class Event { Fails, Answers };
    struct Step {
        seconds at;
        Event event;
        bool reported;            // the change is logged
        seconds askedAt;          // then the readers ask whether to try it at this time...
        bool tried;               // ...and this is the answer
    };
    const Step steps[] = {
        {seconds(0), Event::Answers, false, seconds(1), true},
        {seconds(10), Event::Fails, true, seconds(11), false},
        {seconds(10), Event::Fails, false, seconds(14), false}, // a second reader, same outage
        {seconds(15), Event::Fails, false, seconds(19), false}, // the retry failed too
        {seconds(15), Event::Fails, false, seconds(20), true},
        {seconds(20), Event::Answers, true, seconds(20), true},
        {seconds(21), Event::Answers, false, seconds(21), true},
    };
    StandbyHealth health;
    const Clock::time_point start{};
    for (const Step &step : steps) {
        const bool reported =
            step.event == Event::Fails ? health.failed(start + step.at) : health.answered();
        EXPECT_EQ(reported, step.reported) << "at " << step.at.count() << " s";
        EXPECT_EQ(health.worthTrying(start + step.askedAt), step.tried) << "asked at " << step.askedAt.count() << " s";
    }
}

} // namespace
} // namespace tarvik::server
