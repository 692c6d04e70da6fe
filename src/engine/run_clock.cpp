#include "engine/run_clock.h"

#include <chrono>

namespace tarvik {

namespace {
double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

RunClock::RunClock() : RunClock(steadySeconds) {}

RunClock::RunClock(Source source) : m_now(std::move(source)) {}

float RunClock::GetTime(bool reset)
{
    if (reset || !m_clockOrigin)
        m_clockOrigin = m_now();
    return static_cast<float>(m_now() - *m_clockOrigin);
}

} // namespace tarvik
