#include "network/standby_health.h"

namespace tarvik::server {

bool StandbyHealth::worthTrying(Clock::time_point now) const
{
    return !m_down.load() || now.time_since_epoch().count() >= m_retryAt.load();
}

bool StandbyHealth::failed(Clock::time_point now)
{
    m_retryAt.store((now + RetryPause).time_since_epoch().count());
    return !m_down.exchange(true);
}

bool StandbyHealth::answered()
{
    return m_down.exchange(false);
}

} // namespace tarvik::server
